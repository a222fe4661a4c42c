#pragma once
// Small pieces shared by the whole viewer: the owning list, link targets, integer helpers,
// trimming and the conversion of link URLs to local paths.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlview {

// A list that owns its items: clearing or destroying it frees them.
template <class T>
class TFreeList {
public:
    TFreeList() = default;
    TFreeList(const TFreeList&) = delete;
    TFreeList& operator=(const TFreeList&) = delete;
    virtual ~TFreeList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    T* operator[](int i) const { return items_[static_cast<size_t>(i)].get(); }
    T* Items(int i) const { return (*this)[i]; }
    T* First() const { return items_.empty() ? nullptr : items_.front().get(); }
    T* Last() const { return items_.empty() ? nullptr : items_.back().get(); }
    T* Add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    T* Insert(int index, std::unique_ptr<T> item)
    {
        auto it = items_.insert(items_.begin() + index, std::move(item));
        return it->get();
    }
    void Delete(int index) { items_.erase(items_.begin() + index); }
    // Hands the item at Index to the caller, removing it from the list without freeing it.
    std::unique_ptr<T> Extract(int index)
    {
        std::unique_ptr<T> item = std::move(items_[static_cast<size_t>(index)]);
        items_.erase(items_.begin() + index);
        return item;
    }
    int IndexOf(const T* item) const
    {
        for (size_t i = 0; i < items_.size(); ++i)
            if (items_[i].get() == item)
                return static_cast<int>(i);
        return -1;
    }
    virtual void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

// The URL and frame target of a link.
class TUrlTarget {
public:
    std::string UrlText;
    std::string TargetName;
    // An absent (null) argument leaves its field as it is.
    void SetLink(const std::string* urlText, const std::string* targetName);
    void ClearLink();
};

inline int32_t MinInt(int32_t a, int32_t b) { return a < b ? a : b; }
inline int32_t MaxInt(int32_t a, int32_t b) { return a > b ? a : b; }

// a * b / c with a 64-bit intermediate, rounded to nearest with halves away from zero; -1 when c
// is 0. Every proportional share of the layout goes through it.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// The local path a link URL names: %xx decoded once, the first "file:///" (else "file://")
// stripped of its scheme wherever it stands.
std::string UrlToPath(const std::string& url);
// UrlToPath, with Root put in front of a result that begins with "/".
std::string UrlToRootedPath(const std::string& url, const std::string& root);

} // namespace htmlview
