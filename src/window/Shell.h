#pragma once

namespace kanatsumugi {

class TForm1;

// The application shell: the program's title and icon, start-up, the event loop and
// its quit request, and teardown. Errors on the way reach the user through ErrorReport.

// Start-up after the application object exists: FormCreate under its guard, then
// FormShow under its guard, then the window is shown with the focus on Button1.
void startUp(TForm1& form);

// The event loop, entered only while no quit request has been made.
void runEventLoop();

// Teardown after the event loop: the window is hidden and FormDestroy runs under its
// guard. The caller destroys the window.
void tearDown(TForm1& form);

// Places a quit request in the event queue: the event loop ends when it takes it,
// after the events queued before it.
void postQuitRequest();

// Whether a quit request has been made. Nothing leads back from one: a request taken by
// an error box's own loop during start-up still ends the program.
bool quitRequested();

// The whole program: start-up, the event loop, shutdown. Returns the exit code, 0
// unless there is no display to open a window on.
int runApplication(int argc, char** argv);

} // namespace kanatsumugi
