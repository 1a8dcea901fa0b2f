#include "owl/XmlText.h"

#include <cstring>

namespace xmltext {

namespace {

const char kCdataOpen[] = "<![CDATA[";
const char kCdataClose[] = "]]>";

bool isOneCdataSection(const std::string& text)
{
    const size_t open = sizeof kCdataOpen - 1;
    const size_t close = sizeof kCdataClose - 1;
    if (text.size() < open + close || text.compare(0, open, kCdataOpen) != 0)
        return false;
    // The first "]]>" must be the closing one, and a CR inside would read
    // back as LF.
    size_t end = text.find(kCdataClose, open);
    return end == text.size() - close && text.find('\r') == std::string::npos;
}

void appendCdata(std::string& out, const std::string& text)
{
    out += kCdataOpen;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ']' && text.compare(i, 3, kCdataClose) == 0) {
            out += "]]]]><![CDATA[>";
            i += 2;
        } else if (c == '\r') {
            out += "]]>&#xD;<![CDATA[";
        } else {
            out += c;
        }
    }
    out += kCdataClose;
}

} // namespace

void appendContent(std::string& out, const std::string& text)
{
    if (text.find_first_of("<&]\r") == std::string::npos) {
        out += text;
        return;
    }
    if (text.find_first_of("<&") != std::string::npos) {
        if (isOneCdataSection(text))
            out += text;
        else
            appendCdata(out, text);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ']' && text.compare(i, 3, kCdataClose) == 0) {
            out += "]]&gt;";
            i += 2;
        } else if (c == '\r') {
            out += "&#xD;";
        } else {
            out += c;
        }
    }
}

std::string content(const std::string& text)
{
    std::string out;
    appendContent(out, text);
    return out;
}

void appendAttribute(std::string& out, const std::string& text)
{
    if (text.find_first_of("&<\"\t\n\r") == std::string::npos) {
        out += text;
        return;
    }
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#xA;"; break;
        case '\r': out += "&#xD;"; break;
        default: out += c;
        }
    }
}

std::string attribute(const std::string& text)
{
    std::string out;
    appendAttribute(out, text);
    return out;
}

bool carryable(const std::string& text) { return carryable(text.data(), text.size()); }

bool carryable(const char* text, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

} // namespace xmltext
