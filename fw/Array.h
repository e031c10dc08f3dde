// CArray: the growable array of records used for the program's lists
// (serial numbers, update items, names). Elements are held by value.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <typename T>
class CArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }

    int Add(const T& item) {
        m_items.push_back(item);
        return GetSize() - 1;
    }
    int Add(T&& item) {
        m_items.push_back(std::move(item));
        return GetSize() - 1;
    }
    const T& GetAt(int i) const { return m_items.at(static_cast<std::size_t>(i)); }
    T& ElementAt(int i) { return m_items.at(static_cast<std::size_t>(i)); }
    void SetAt(int i, const T& item) { m_items.at(static_cast<std::size_t>(i)) = item; }
    const T& operator[](int i) const { return GetAt(i); }
    T& operator[](int i) { return ElementAt(i); }

    void InsertAt(int i, const T& item) { m_items.insert(m_items.begin() + i, item); }
    void RemoveAt(int i, int nCount = 1) {
        m_items.erase(m_items.begin() + i, m_items.begin() + i + nCount);
    }
    void RemoveAll() { m_items.clear(); }
    void SetSize(int nNewSize) { m_items.resize(static_cast<std::size_t>(nNewSize < 0 ? 0 : nNewSize)); }
    void Copy(const CArray& other) { m_items = other.m_items; }
    int Append(const CArray& other) {
        const int iFirst = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return iFirst;
    }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};
