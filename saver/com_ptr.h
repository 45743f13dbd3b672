// The one reference that its owner holds to a COM interface, released when the owner lets it
// go. An absent interface is null.
#pragma once

namespace orv {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return p; }
  Interface* operator->() const { return p; }
  explicit operator bool() const { return p != nullptr; }

  // Releases the reference held, if any.
  void Reset() {
    if (p == nullptr) return;
    Interface* released = p;
    p = nullptr;
    released->Release();
  }

  // The address for a call that hands out a new reference; the one held before is released.
  Interface** Put() {
    Reset();
    return &p;
  }

  // After such a call failed: whatever it left in the pointer is no reference.
  void Forget() { p = nullptr; }

 private:
  Interface* p = nullptr;
};

}  // namespace orv
