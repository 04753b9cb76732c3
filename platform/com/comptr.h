// ComPtr<T>: owns one reference to an interface pointer.
//
//   ComPtr<IDispatch> widget;
//   HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
//                                 widget.ReleaseAndGetAddressOfVoid());
//
// Constructing from a raw pointer takes a new reference (AddRef); Attach adopts one that the
// caller already owns. Copies AddRef, moves transfer, destruction releases.
#pragma once

#include <utility>

#include "platform/com/interfaces.h"

namespace snippo {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(T* p) : p_(p)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& other) : p_(other.p_)
    {
        if (p_)
            p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        T* p = other.p_;  // read first: `other` may be *this
        if (p)
            p->AddRef();
        Reset();
        p_ = p;
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        Reset();
        return *this;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Releases the reference held (if any).
    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Takes over a reference that the caller owns, without AddRef.
    void Attach(T* p)
    {
        Reset();
        p_ = p;
    }
    // Gives up ownership without Release.
    [[nodiscard]] T* Detach() { return std::exchange(p_, nullptr); }

    // For out-parameters: releases what is held and returns the slot to fill.
    T** ReleaseAndGetAddressOf()
    {
        Reset();
        return &p_;
    }
    void** ReleaseAndGetAddressOfVoid() { return reinterpret_cast<void**>(ReleaseAndGetAddressOf()); }

    // QueryInterface for U (which names its interface identifier as U::kIid).
    template <class U> HRESULT As(ComPtr<U>* out) const
    {
        if (out == nullptr)
            return E_POINTER;
        if (p_ == nullptr) {
            out->Reset();
            return E_POINTER;
        }
        return p_->QueryInterface(U::kIid, out->ReleaseAndGetAddressOfVoid());
    }

private:
    T* p_ = nullptr;
};

}  // namespace snippo
