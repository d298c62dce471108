#pragma once
// A pointer that one thread may change while others read it: every read and write is atomic, so
// the user interface thread can hand the engine a control (or take it back) without a data race
// with the engine's threads. It reads and writes like a plain pointer.
//
// Atomicity covers the pointer, not the object: whoever clears it must still keep the object
// alive until no thread can be using it any more (the window program waits for the search's
// threads to end first).

#include <atomic>

namespace vk {

template <typename T> class AtomicPointer {
public:
    AtomicPointer() = default;
    AtomicPointer(T* pointer) : pointer_(pointer) {} // NOLINT: converts like a plain pointer
    AtomicPointer(const AtomicPointer& other) : pointer_(other.pointer_.load()) {}
    AtomicPointer& operator=(const AtomicPointer& other) {
        pointer_.store(other.pointer_.load());
        return *this;
    }
    AtomicPointer& operator=(T* pointer) {
        pointer_.store(pointer);
        return *this;
    }

    [[nodiscard]] T* get() const { return pointer_.load(); }
    operator T*() const { return pointer_.load(); } // NOLINT: reads like a plain pointer
    T* operator->() const { return pointer_.load(); }
    T& operator*() const { return *pointer_.load(); }

private:
    std::atomic<T*> pointer_{nullptr};
};

} // namespace vk
