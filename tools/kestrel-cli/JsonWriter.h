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
    // Texts given from now on are UTF-8 (a UTF-8 language pack's), not Latin-1.
    void SetUtf8(bool utf8) { m_bUtf8 = utf8; }

    // Escapes a single-byte (Latin-1) text, or a UTF-8 one, as a JSON string
    // literal.
    static std::string Quote(const std::string& value, bool utf8 = false);

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();

    std::string m_text;
    std::vector<bool> m_hasItems;  // per open container
    bool m_afterKey = false;
    bool m_bUtf8 = false;
};
