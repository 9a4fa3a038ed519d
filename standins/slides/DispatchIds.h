#pragma once
// The members the conversion calls, by the dispatch ids of the presentation
// server's object model, and the class this server registers.
#include <windows.h>
#include <oleauto.h>

namespace slides {

constexpr DISPID kDispPresentations = 2001;  // Application.Presentations: property
constexpr DISPID kDispOpen = 2004;           // Presentations.Open(FileName, ReadOnly, Untitled, WithWindow)
constexpr DISPID kDispSlides = 2011;         // Presentation.Slides: property
constexpr DISPID kDispCount = 11;            // Slides.Count: property
constexpr DISPID kDispItem = DISPID_VALUE;   // Slides.Item(Index): the collection's default member
constexpr DISPID kDispExport = 2025;         // Slide.Export(FileName, FilterName, ScaleWidth, ScaleHeight)

constexpr wchar_t kProgId[] = L"PowerPoint.Application";
// {787E053C-F31A-4B7F-AB44-084B5626E6C0}: this stand-in's own class, not the real server's.
constexpr CLSID kServerClsid = {0x787e053c, 0xf31a, 0x4b7f, {0xab, 0x44, 0x08, 0x4b, 0x56, 0x26, 0xe6, 0xc0}};
constexpr wchar_t kServerClsidText[] = L"{787E053C-F31A-4B7F-AB44-084B5626E6C0}";

}  // namespace slides
