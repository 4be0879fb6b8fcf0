#pragma once
// The one lock pattern for process-wide containers: a value with its own mutex. Readers
// take a snapshot (a copy made under the lock) and work on the copy; writers replace the
// whole value or change it inside Update. No caller ever holds the mutex while calling a
// window function, because the lock never escapes these members.
#include <mutex>
#include <utility>

template <typename T>
class GuardedValue {
  public:
    T Snapshot() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return value_;
    }

    void Replace(T value) {
        std::lock_guard<std::mutex> lock(mutex_);
        value_ = std::move(value);
    }

    // Runs fn(value&) under the lock and returns its result. fn must not call out.
    template <typename Fn>
    auto Update(Fn&& fn) {
        std::lock_guard<std::mutex> lock(mutex_);
        return fn(value_);
    }

    // Runs fn(const value&) under the lock: for small lookups that need no full copy.
    template <typename Fn>
    auto Read(Fn&& fn) const {
        std::lock_guard<std::mutex> lock(mutex_);
        return fn(static_cast<const T&>(value_));
    }

  private:
    mutable std::mutex mutex_;
    T value_{};
};
