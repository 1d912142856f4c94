// Locks and scope guards. GenericLock keeps its own "held" mark and checks it
// on every enter, leave and destruction: the critical section underneath lets
// its owner in again, and that must never go unnoticed inside an applet.
#pragma once

#include "Platform.h"

#include <cstdint>

namespace velm::templates::patterns {

class GenericLock {
public:
    GenericLock() = default;
    GenericLock(const GenericLock&) = delete;
    GenericLock& operator=(const GenericLock&) = delete;
    // Raises std::logic_error when the lock is destroyed while held.
    virtual ~GenericLock() noexcept(false);

    virtual void lock() = 0;
    virtual bool tryLock() = 0;
    virtual void unlock() = 0;

    // Raises std::logic_error when the calling thread already holds the lock.
    void enter();
    // Raises std::logic_error when the lock is not held.
    void leave();

    bool isHeld() const { return held_; }

private:
    bool held_ = false;
};

template <typename T>
class Guard {
public:
    Guard() = default;
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    virtual ~Guard() noexcept(false) {}
};

class GenericLockGuard : public Guard<GenericLock*> {
public:
    GenericLockGuard(GenericLock* lock, bool deleteLock);
    ~GenericLockGuard() noexcept(false) override;

private:
    GenericLock* lock_;
    bool locked_;
    bool deleteLock_;
};

}  // namespace velm::templates::patterns

namespace velm::templates::platform {

class CriticalSection : public patterns::GenericLock {
public:
    CriticalSection();
    ~CriticalSection() noexcept(false) override;

    void lock() override;
    bool tryLock() override;
    void unlock() override;

private:
    bool notOwned_ = false;
    os::NativeCriticalSection section_;
    os::NativeCriticalSection* inUse_;
};

class CriticalSectionGuard : public patterns::GenericLockGuard {
public:
    explicit CriticalSectionGuard(CriticalSection* section);
};

class RecursiveMutex {
public:
    RecursiveMutex();
    RecursiveMutex(const RecursiveMutex&) = delete;
    RecursiveMutex& operator=(const RecursiveMutex&) = delete;
    virtual ~RecursiveMutex();

    std::uint32_t lock();
    int unlock();
    std::int32_t depth() const { return depth_; }

private:
    os::MutexHandle mutex_;
    std::int32_t depth_ = 0;
};

class RecursiveMutexGuard : public patterns::Guard<RecursiveMutex*> {
public:
    explicit RecursiveMutexGuard(RecursiveMutex* mutex);
    ~RecursiveMutexGuard() noexcept(false) override;

private:
    RecursiveMutex* mutex_;
    bool locked_;
};

}  // namespace velm::templates::platform
