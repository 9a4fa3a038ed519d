#pragma once
// A forward-only scanner over the XML parts of a package: start tags with
// their attributes, end tags and text, entities decoded, names compared
// without their namespace prefix. Enough for the parts a slide is drawn
// from; markup it cannot follow ends the scan as an error. Attributes keep
// their prefix: packages write r:id beside a plain id.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace slides {

class XmlScanner {
public:
    enum class Token { Start, End, Text, Finished, Error };

    explicit XmlScanner(const std::string& text) : text_(text) {}
    Token Next();
    // Hands every token up to the end to `visit`; false at markup it cannot follow.
    bool ScanAll(const std::function<void(Token)>& visit);

    // Of the last Start or End token: the name without its prefix.
    const std::string& name() const { return name_; }
    bool selfClosing() const { return selfClosing_; }
    // Of the last Start token by its full name ("cx", "r:id"); empty when absent.
    std::string Attribute(const std::string& qualifiedName) const;
    // Of the last Text token, decoded (UTF-8).
    const std::string& text() const { return value_; }

private:
    Token Markup();
    Token Tag();
    bool SkipPast(const char* terminator);
    bool ReadAttributes();

    const std::string& text_;
    size_t at_ = 0;
    std::string name_, value_;
    bool selfClosing_ = false;
    std::vector<std::pair<std::string, std::string>> attributes_;
};

// Entities (&amp; &lt; &gt; &quot; &apos; &#N; &#xN;) of raw text to UTF-8;
// false for one it does not know.
bool DecodeEntities(const std::string& raw, std::string& decoded);

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(const std::string& utf8);

}  // namespace slides
