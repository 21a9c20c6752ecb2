#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace fb {

class Transaction;
class Statement;

// Something made on a connection that holds rows or state which a close of the
// connection must clear (datasets and free statements).
class ConnectionUser {
public:
    virtual ~ConnectionUser() = default;
    virtual void connectionClosing() = 0;
};

// What a connection knows was made on it. Shared so that an object outliving its
// Database can still unregister safely (the registry is simply gone by then).
struct Registry {
    std::vector<Transaction *> transactions;
    std::vector<Statement *> statements;
    std::vector<ConnectionUser *> users;
};

// Enters an object into one list of the registry for its lifetime.
template <class T> class Registration {
public:
    Registration(const std::shared_ptr<Registry> &registry, std::vector<T *> Registry::*list, T *item)
        : registry_(registry), list_(list), item_(item)
    {
        ((*registry).*list_).push_back(item_);
    }
    ~Registration()
    {
        if (auto registry = registry_.lock()) {
            auto &items = (*registry).*list_;
            items.erase(std::remove(items.begin(), items.end(), item_), items.end());
        }
    }
    Registration(const Registration &) = delete;
    Registration &operator=(const Registration &) = delete;

private:
    std::weak_ptr<Registry> registry_;
    std::vector<T *> Registry::*list_;
    T *item_;
};

} // namespace fb
