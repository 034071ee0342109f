#pragma once

#include <list>
#include <memory>

namespace fb::evt {

template <typename E>
class SubjectObserver {
public:
    virtual ~SubjectObserver() = default;
    virtual void OnNotify(const E& event) = 0;
};

// Passes records of type E to weakly held observers, in order of attachment.
// Observers that have been destroyed drop out during the next notification.
template <typename Observer, typename E>
class Subject {
public:
    virtual ~Subject() = default;

    virtual void Attach(std::weak_ptr<Observer> observer) { mObservers.push_back(std::move(observer)); }

    virtual void Notify(const E& event)
    {
        for (auto it = mObservers.begin(); it != mObservers.end();) {
            std::shared_ptr<Observer> observer = it->lock();
            if (!observer) {
                it = mObservers.erase(it);
                continue;
            }
            observer->OnNotify(event);
            ++it;
        }
    }

    void CallNotify(const E& event) { Notify(event); }

    std::size_t GetObserverCount() const { return mObservers.size(); }

private:
    std::list<std::weak_ptr<Observer>> mObservers;
};

} // namespace fb::evt
