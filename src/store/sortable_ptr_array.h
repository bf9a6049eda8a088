// SPDX-License-Identifier: GPL-3.0-or-later
// An owning array of pointers that keeps insertion order until it is sorted with a compare
// function. Sorting is ascending and not stable.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

template <class T>
class CSortablePtrArray {
public:
    using Compare = int (*)(const T* a, const T* b);

    std::size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    T* operator[](std::size_t index) const { return items[index].get(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }

    T* Add(std::unique_ptr<T> item) {
        items.push_back(std::move(item));
        return items.back().get();
    }
    void Reserve(std::size_t count) { items.reserve(count); }
    // Gives up ownership of the element, keeping the order of the rest.
    std::unique_ptr<T> RemoveAt(std::size_t index) {
        std::unique_ptr<T> item = std::move(items[index]);
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
        return item;
    }
    void Clear() { items.clear(); }
    // Destroys the elements from `count` on.
    void Truncate(std::size_t count) {
        if (count < items.size()) {
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(count), items.end());
        }
    }

    void Sort(Compare by) {
        compare = by;
        if (compare != nullptr && items.size() >= 2) {
            QuickSort(0, static_cast<std::ptrdiff_t>(items.size()) - 1);
        }
    }

private:
    void QuickSort(std::ptrdiff_t lo, std::ptrdiff_t hi) {
        while (lo < hi) {
            const T* pivot = items[static_cast<std::size_t>((lo + hi) / 2)].get();
            std::ptrdiff_t i = lo;
            std::ptrdiff_t j = hi;
            while (i <= j) {
                while (compare(At(i), pivot) < 0) {
                    ++i;
                }
                while (compare(At(j), pivot) > 0) {
                    --j;
                }
                if (i <= j) {
                    std::swap(items[static_cast<std::size_t>(i)],
                              items[static_cast<std::size_t>(j)]);
                    ++i;
                    --j;
                }
            }
            // Recurse into the smaller part so that no input can exhaust the stack.
            if (j - lo < hi - i) {
                if (lo < j) {
                    QuickSort(lo, j);
                }
                lo = i;
            } else {
                if (i < hi) {
                    QuickSort(i, hi);
                }
                hi = j;
            }
        }
    }
    const T* At(std::ptrdiff_t index) const { return items[static_cast<std::size_t>(index)].get(); }

    std::vector<std::unique_ptr<T>> items;
    Compare compare = nullptr;
};
