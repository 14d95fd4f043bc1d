#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kombitron {

// A fixed-size array of trivially copyable values for the large tables walked at random (one
// entry per possible bet). On Linux it asks for huge pages, which spares most address
// translation misses of random access. The values are not initialised. Throws std::bad_alloc.
template <class T>
class BigArray {
public:
    BigArray() = default;
    explicit BigArray(size_t count) : count_(count)
    {
        constexpr size_t kHuge = size_t{2} << 20;
        const size_t wanted = count * sizeof(T);
        if (wanted < kHuge) {
            data_ = static_cast<T*>(std::malloc(wanted ? wanted : 1));
            if (!data_) throw std::bad_alloc();
            return;
        }
        const size_t bytes = (wanted + kHuge - 1) / kHuge * kHuge;
        data_ = static_cast<T*>(std::aligned_alloc(kHuge, bytes));
        if (!data_) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(data_, bytes, MADV_HUGEPAGE);
#endif
    }
    ~BigArray() { std::free(data_); }
    BigArray(const BigArray&) = delete;
    BigArray& operator=(const BigArray&) = delete;
    BigArray(BigArray&& o) noexcept : data_(o.data_), count_(o.count_) { o.data_ = nullptr; o.count_ = 0; }
    BigArray& operator=(BigArray&& o) noexcept
    {
        std::swap(data_, o.data_);
        std::swap(count_, o.count_);
        return *this;
    }

    T* data() { return data_; }
    const T* data() const { return data_; }
    size_t size() const { return count_; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }

private:
    T* data_ = nullptr;
    size_t count_ = 0;
};

} // namespace kombitron
