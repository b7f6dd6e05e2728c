#pragma once

// String-keyed chained hash table of the UI framework (control names, fonts,
// images, class defaults, extra attributes). The bucket of a key is its hash
// modulo the bucket count; keys compare exactly.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace VantuUI {

// hash * 33 + character, taken from the last character back to the first.
inline std::size_t StringTableHash(const std::wstring& key) {
    std::size_t hash = 0;
    for (auto it = key.rbegin(); it != key.rend(); ++it) {
        hash = hash * 33 + static_cast<std::size_t>(*it);
    }
    return hash;
}

template <typename T>
class CStringTableUI {
  public:
    // Buckets are allocated on the first insertion: most tables stay empty.
    explicit CStringTableUI(std::size_t buckets = 83) : m_bucketCount(buckets == 0 ? 1 : buckets) {}

    T* Find(const std::wstring& key) {
        if (m_buckets.empty()) {
            return nullptr;
        }
        for (auto& entry : Bucket(key)) {
            if (entry.first == key) {
                return &entry.second;
            }
        }
        return nullptr;
    }
    const T* Find(const std::wstring& key) const {
        return const_cast<CStringTableUI*>(this)->Find(key);
    }

    // Adds a new key; false (and nothing changes) when the key is present.
    bool Insert(const std::wstring& key, T value) {
        if (Find(key) != nullptr) {
            return false;
        }
        Bucket(key).emplace_back(key, std::move(value));
        ++m_count;
        return true;
    }

    // Adds or replaces.
    void Set(const std::wstring& key, T value) {
        if (T* existing = Find(key)) {
            *existing = std::move(value);
            return;
        }
        Bucket(key).emplace_back(key, std::move(value));
        ++m_count;
    }

    bool Remove(const std::wstring& key) {
        if (m_buckets.empty()) {
            return false;
        }
        auto& chain = Bucket(key);
        for (auto it = chain.begin(); it != chain.end(); ++it) {
            if (it->first == key) {
                chain.erase(it);
                --m_count;
                return true;
            }
        }
        return false;
    }

    void Clear() {
        for (auto& chain : m_buckets) {
            chain.clear();
        }
        m_count = 0;
    }

    std::size_t Count() const { return m_count; }

    template <typename F>
    void ForEach(F&& visit) const {
        for (const auto& chain : m_buckets) {
            for (const auto& entry : chain) {
                visit(entry.first, entry.second);
            }
        }
    }

  private:
    std::vector<std::pair<std::wstring, T>>& Bucket(const std::wstring& key) {
        if (m_buckets.empty()) {
            m_buckets.resize(m_bucketCount);
        }
        return m_buckets[StringTableHash(key) % m_bucketCount];
    }

    std::size_t m_bucketCount;
    std::vector<std::vector<std::pair<std::wstring, T>>> m_buckets;
    std::size_t m_count = 0;
};

}  // namespace VantuUI
