#include "LockTemplates.h"

#include <stdexcept>

namespace velm::templates::patterns {

GenericLock::~GenericLock() noexcept(false)
{
    if (held_) {
        throw std::logic_error("GenericLock object destroyed with lock still held");
    }
}

void GenericLock::enter()
{
    lock();
    if (held_) {
        // The section let its owner in a second time: undo that entry.
        unlock();
        throw std::logic_error("GenericLock object got lock but is already marked as locked");
    }
    held_ = true;
}

void GenericLock::leave()
{
    if (!held_) {
        throw std::logic_error("GenericLock::leave() called with lock not held");
    }
    held_ = false;
    unlock();
}

GenericLockGuard::GenericLockGuard(GenericLock* lock, bool deleteLock)
    : lock_(lock), locked_(true), deleteLock_(deleteLock)
{
    lock_->enter();
}

GenericLockGuard::~GenericLockGuard() noexcept(false)
{
    if (locked_) {
        lock_->leave();
    }
    if (deleteLock_ && lock_ != nullptr) {
        delete lock_;
    }
}

}  // namespace velm::templates::patterns

namespace velm::templates::platform {

CriticalSection::CriticalSection() : inUse_(&section_)
{
    os::initCriticalSection(section_);
}

CriticalSection::~CriticalSection() noexcept(false)
{
    if (!notOwned_) {
        os::deleteCriticalSection(*inUse_);
    }
}

void CriticalSection::lock()
{
    os::enterCriticalSection(*inUse_);
}

bool CriticalSection::tryLock()
{
    return os::tryEnterCriticalSection(*inUse_);
}

void CriticalSection::unlock()
{
    os::leaveCriticalSection(*inUse_);
}

CriticalSectionGuard::CriticalSectionGuard(CriticalSection* section)
    : GenericLockGuard(section, false)
{
}

RecursiveMutex::RecursiveMutex() : mutex_(os::createMutex()) {}

RecursiveMutex::~RecursiveMutex()
{
    os::closeMutex(mutex_);
}

std::uint32_t RecursiveMutex::lock()
{
    std::uint32_t result = os::waitMutex(mutex_);
    ++depth_;
    return result;
}

int RecursiveMutex::unlock()
{
    // Counted down while still owned: after the release another thread may
    // already be counting up.
    --depth_;
    return os::releaseMutex(mutex_);
}

RecursiveMutexGuard::RecursiveMutexGuard(RecursiveMutex* mutex) : mutex_(mutex), locked_(true)
{
    mutex_->lock();
}

RecursiveMutexGuard::~RecursiveMutexGuard() noexcept(false)
{
    if (locked_) {
        mutex_->unlock();
    }
}

}  // namespace velm::templates::platform
