#pragma once
#include <functional>

namespace Vorlune {

// What a command button triggers.
class ButtonActor {
public:
    // Starts the action; onFinished is called once when the work is over (finished or cancelled).
    virtual void Act(std::function<void()> onFinished) = 0;
    virtual ~ButtonActor() = default;
};

}  // namespace Vorlune
