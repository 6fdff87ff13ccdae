#pragma once

namespace kanatsumugi {

// Places a quit request in the event queue: the event loop ends when it takes it,
// after the events queued before it.
void postQuitRequest();

} // namespace kanatsumugi
