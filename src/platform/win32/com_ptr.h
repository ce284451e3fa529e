// Owners for COM interface pointers and for memory the shell hands out with
// CoTaskMemAlloc (item identifier lists, strings).
#pragma once

#include <objbase.h>

#include <utility>

namespace glmx::platform::win32 {

// Holds one reference; copying adds one, destruction releases it.
template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr& other) noexcept : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    void reset() noexcept {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For out-parameters: releases what is held and hands out the slot.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    // Another interface of the same object; empty when the object does not offer it.
    template <typename Other>
    ComPtr<Other> As() const noexcept {
        ComPtr<Other> other;
        if (pointer_) pointer_->QueryInterface(__uuidof(Other), other.put_void());
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};

// Memory from CoTaskMemAlloc, freed with CoTaskMemFree (which accepts nullptr).
template <typename T>
class CoTaskMemPtr {
public:
    CoTaskMemPtr() noexcept = default;
    explicit CoTaskMemPtr(T* pointer) noexcept : pointer_(pointer) {}
    CoTaskMemPtr(CoTaskMemPtr&& other) noexcept
        : pointer_(std::exchange(other.pointer_, nullptr)) {}
    CoTaskMemPtr& operator=(CoTaskMemPtr&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    CoTaskMemPtr(const CoTaskMemPtr&) = delete;
    CoTaskMemPtr& operator=(const CoTaskMemPtr&) = delete;
    ~CoTaskMemPtr() { reset(); }

    T* get() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    T* release() noexcept { return std::exchange(pointer_, nullptr); }
    void reset(T* pointer = nullptr) noexcept { CoTaskMemFree(std::exchange(pointer_, pointer)); }
    T** put() noexcept {
        reset();
        return &pointer_;
    }

private:
    T* pointer_ = nullptr;
};

}  // namespace glmx::platform::win32
