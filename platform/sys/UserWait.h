#pragma once
// Waits for a person to act, such as a paused replay waiting to be resumed. A host that knows
// nobody can act any more (a script host with no script line left that could) gives them up,
// and the waiter then ends as it would when the user stopped it.
#include <functional>
#include <string>

namespace ctl {

// Asked while something waits for a person: true gives the wait up. `what` says what waits.
void SetUserWaitGiveUp(std::function<bool(const std::string& what)> giveUp);
bool GiveUpUserWait(const std::string& what);

}  // namespace ctl
