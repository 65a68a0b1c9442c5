#pragma once
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>

namespace Vorlune {

// A window class's handlers by message number, one each. A second handler for a message is a
// slip of the code that registers it: it would either be lost or silently replace the first.
template <class Handler>
class MessageTable {
public:
    // Throws std::logic_error when message has a handler already; the table is then unchanged.
    void Add(unsigned message, Handler handler) {
        if (!handlers_.try_emplace(message, std::move(handler)).second)
            throw std::logic_error("a second handler for message " + std::to_string(message));
    }
    // Null when message has no handler.
    const Handler* Find(unsigned message) const {
        const auto found = handlers_.find(message);
        return found == handlers_.end() ? nullptr : &found->second;
    }
    // Forgets every handler; each message can have one again.
    void Clear() { handlers_.clear(); }
    bool Empty() const { return handlers_.empty(); }

private:
    std::unordered_map<unsigned, Handler> handlers_;
};

}  // namespace Vorlune
