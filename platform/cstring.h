// CString: the text value the program's classes pass around. Text is held as UTF-8 bytes;
// offsets and lengths count bytes, which are characters for the ASCII that numbers are made of.
#pragma once

#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}
    CString(char ch, int count = 1) : m_s(count > 0 ? static_cast<size_t>(count) : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s.at(static_cast<size_t>(i)); }
    char operator[](int i) const { return GetAt(i); }
    void SetAt(int i, char ch) { m_s.at(static_cast<size_t>(i)) = ch; }

    CString Left(int n) const { return Mid(0, n); }
    CString Right(int n) const;
    CString Mid(int first) const { return Mid(first, GetLength()); }
    CString Mid(int first, int count) const;

    // Index of the first match at or after start, or -1.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;

    // Both return the new length.
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);
    // Removes every occurrence; returns how many went.
    int Remove(char ch);

    CString& operator=(const char* s) {
        m_s = s ? s : "";
        return *this;
    }
    CString& operator+=(const CString& o) {
        m_s += o.m_s;
        return *this;
    }
    CString& operator+=(char ch) {
        m_s += ch;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, char ch) { return a += ch; }
    friend CString operator+(char ch, const CString& b) { return CString(ch) + b; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }

    // printf-style formatting in the "C" locale's terms for %s and %d.
    void Format(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    const char* GetString() const { return m_s.c_str(); }
    operator const char*() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

private:
    std::string m_s;
};
