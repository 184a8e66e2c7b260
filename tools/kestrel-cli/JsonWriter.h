#pragma once

#include <string>
#include <vector>

// Writes JSON text with indentation. Values are placed with Key() inside objects
// and directly inside arrays; the writer inserts the commas.
class CJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(const std::string& name);
    void String(const std::string& value);
    void Number(long long value);
    void Number(double value);
    void Bool(bool value);
    void Null();

    const std::string& GetText() const { return m_text; }

    // Escapes a single-byte (Latin-1) text as a JSON string literal.
    static std::string Quote(const std::string& value);

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();

    std::string m_text;
    std::vector<bool> m_hasItems;  // per open container
    bool m_afterKey = false;
};
