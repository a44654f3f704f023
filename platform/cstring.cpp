// CString operations; out-of-range arguments are clamped, never undefined.
#include "platform/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
size_t Clamp(int v, size_t hi) {
    return v < 0 ? 0 : std::min(static_cast<size_t>(v), hi);
}
} // namespace

CString CString::Right(int n) const {
    size_t count = Clamp(n, m_s.size());
    return CString(m_s.substr(m_s.size() - count));
}

CString CString::Mid(int first, int count) const {
    size_t from = Clamp(first, m_s.size());
    size_t n = Clamp(count, m_s.size() - from);
    return CString(m_s.substr(from, n));
}

int CString::Find(char ch, int start) const {
    size_t pos = m_s.find(ch, Clamp(start, m_s.size()));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const {
    size_t pos = m_s.find(sub ? sub : "", Clamp(start, m_s.size()));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Insert(int index, char ch) {
    m_s.insert(Clamp(index, m_s.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s) {
    m_s.insert(Clamp(index, m_s.size()), s ? s : "");
    return GetLength();
}

int CString::Delete(int index, int count) {
    size_t from = Clamp(index, m_s.size());
    m_s.erase(from, Clamp(count, m_s.size() - from));
    return GetLength();
}

int CString::Remove(char ch) {
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

void CString::Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) {
        std::vsnprintf(out.data(), out.size() + 1, fmt, args);
    }
    va_end(args);
    m_s = std::move(out);
}
