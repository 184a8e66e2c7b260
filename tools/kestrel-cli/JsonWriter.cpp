#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void CJsonWriter::NewLine() {
    m_text += '\n';
    m_text.append(m_hasItems.size() * 2, ' ');
}

void CJsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back()) {
            m_text += ',';
        }
        m_hasItems.back() = true;
        NewLine();
    }
}

void CJsonWriter::Open(char bracket) {
    BeforeValue();
    m_text += bracket;
    m_hasItems.push_back(false);
}

void CJsonWriter::Close(char bracket) {
    const bool hadItems = m_hasItems.back();
    m_hasItems.pop_back();
    if (hadItems) {
        NewLine();
    }
    m_text += bracket;
}

void CJsonWriter::BeginObject() {
    Open('{');
}
void CJsonWriter::EndObject() {
    Close('}');
}
void CJsonWriter::BeginArray() {
    Open('[');
}
void CJsonWriter::EndArray() {
    Close(']');
}

void CJsonWriter::Key(const std::string& name) {
    BeforeValue();
    m_text += Quote(name) + ": ";
    m_afterKey = true;
}

void CJsonWriter::String(const std::string& value) {
    BeforeValue();
    m_text += Quote(value, m_bUtf8);
}

void CJsonWriter::Number(long long value) {
    BeforeValue();
    m_text += std::to_string(value);
}

void CJsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        m_text += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text.append(buffer, result.ptr);
}

void CJsonWriter::Bool(bool value) {
    BeforeValue();
    m_text += value ? "true" : "false";
}

void CJsonWriter::Null() {
    BeforeValue();
    m_text += "null";
}

std::string CJsonWriter::Quote(const std::string& value, bool utf8) {
    std::string quoted = "\"";
    for (unsigned char c : value) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", c);
                    quoted += escape;
                } else if (c >= 0x80 && utf8) {
                    quoted += static_cast<char>(c);
                } else if (c >= 0x80) {
                    // Latin-1 to UTF-8.
                    quoted += static_cast<char>(0xC0 | (c >> 6));
                    quoted += static_cast<char>(0x80 | (c & 0x3F));
                } else {
                    quoted += static_cast<char>(c);
                }
        }
    }
    return quoted + "\"";
}
