#pragma once

namespace kanatsumugi {

// Places a quit request in the event queue: the event loop ends when it takes it,
// after the events queued before it.
void postQuitRequest();

// Whether a quit request has been made. Nothing leads back from one: a request taken by
// an error box's own loop during start-up still ends the program.
bool quitRequested();

} // namespace kanatsumugi
