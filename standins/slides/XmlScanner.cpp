#include "XmlScanner.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace slides {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsNameChar(char c) { return !IsSpace(c) && c != '>' && c != '/' && c != '=' && c != '<' && c != '"' && c != '\''; }

std::string LocalName(const std::string& name) {
    size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool DecodeReference(const std::string& entity, std::string& out) {
    static const struct { const char* name; char c; } kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& named : kNamed)
        if (entity == named.name) {
            out += named.c;
            return true;
        }
    if (entity.size() < 2 || entity[0] != '#') return false;
    bool hex = entity[1] == 'x' || entity[1] == 'X';
    const char* digits = entity.c_str() + (hex ? 2 : 1);
    char* end = nullptr;
    unsigned long code = std::strtoul(digits, &end, hex ? 16 : 10);
    if (!*digits || *end || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    AppendUtf8(out, code);
    return true;
}

}  // namespace

bool DecodeEntities(const std::string& raw, std::string& decoded) {
    decoded.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            decoded += raw[i];
            continue;
        }
        size_t semicolon = raw.find(';', i);
        if (semicolon == std::string::npos || !DecodeReference(raw.substr(i + 1, semicolon - i - 1), decoded))
            return false;
        i = semicolon;
    }
    return true;
}

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

std::string XmlScanner::Attribute(const std::string& qualifiedName) const {
    for (const auto& attribute : attributes_)
        if (attribute.first == qualifiedName) return attribute.second;
    return {};
}

XmlScanner::Token XmlScanner::Next() {
    if (at_ >= text_.size()) return Token::Finished;
    if (text_[at_] == '<') return Markup();
    size_t end = text_.find('<', at_);
    if (end == std::string::npos) end = text_.size();
    std::string raw = text_.substr(at_, end - at_);
    at_ = end;
    return DecodeEntities(raw, value_) ? Token::Text : Token::Error;
}

bool XmlScanner::ScanAll(const std::function<void(Token)>& visit) {
    for (;;) {
        Token token = Next();
        if (token == Token::Finished || token == Token::Error) return token == Token::Finished;
        visit(token);
    }
}

bool XmlScanner::SkipPast(const char* terminator) {
    size_t end = text_.find(terminator, at_);
    if (end == std::string::npos) return false;
    at_ = end + std::strlen(terminator);
    return true;
}

XmlScanner::Token XmlScanner::Markup() {
    if (text_.compare(at_, 9, "<![CDATA[") == 0) {
        size_t start = at_ + 9;
        if (!SkipPast("]]>")) return Token::Error;
        value_ = text_.substr(start, at_ - 3 - start);
        return Token::Text;
    }
    // Declarations, comments and processing instructions carry nothing drawn.
    const char* terminator = text_.compare(at_, 4, "<!--") == 0 ? "-->"
                             : text_.compare(at_, 2, "<?") == 0 ? "?>"
                             : text_.compare(at_, 2, "<!") == 0 ? ">"
                                                                : nullptr;
    if (!terminator) return Tag();
    return SkipPast(terminator) ? Next() : Token::Error;
}

XmlScanner::Token XmlScanner::Tag() {
    bool closing = text_.compare(at_, 2, "</") == 0;
    at_ += closing ? 2 : 1;
    size_t start = at_;
    while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
    if (at_ == start) return Token::Error;
    name_ = LocalName(text_.substr(start, at_ - start));
    attributes_.clear();
    selfClosing_ = false;
    if (closing) return SkipPast(">") ? Token::End : Token::Error;
    return ReadAttributes() ? Token::Start : Token::Error;
}

bool XmlScanner::ReadAttributes() {
    for (;;) {
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        if (at_ >= text_.size()) return false;
        if (text_.compare(at_, 2, "/>") == 0) {
            selfClosing_ = true;
            at_ += 2;
            return true;
        }
        if (text_[at_] == '>') {
            ++at_;
            return true;
        }
        size_t start = at_;
        while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
        std::string name = text_.substr(start, at_ - start);
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        if (name.empty() || at_ + 1 >= text_.size() || text_[at_] != '=') return false;
        ++at_;
        while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
        char quote = at_ < text_.size() ? text_[at_] : 0;
        size_t close = quote == '"' || quote == '\'' ? text_.find(quote, at_ + 1) : std::string::npos;
        if (close == std::string::npos) return false;
        std::string value;
        if (!DecodeEntities(text_.substr(at_ + 1, close - at_ - 1), value)) return false;
        attributes_.emplace_back(std::move(name), std::move(value));
        at_ = close + 1;
    }
}

}  // namespace slides
