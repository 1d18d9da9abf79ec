#pragma once
// How the application comes up: its windows created once, in a fixed order, as views of one
// session; the main window owns the others.

#include <string>
#include <vector>

class QWidget;
struct Session;

// Creates the main window, TRYNForm (which shows the splash), then its children DiagramIncrease,
// CalcForm, InputForm, LibForm, FFT0Form, BGSForm and MeasureForm, all views of the session, which
// outlives them. Returns them in that order, the main window first.
std::vector<QWidget*> CreateApplicationWindows(Session& session);

// The whole program after the application object exists: the windows, the event loop, and the
// display of an exception that escapes them. A project file given is opened once the main window
// has come up. Always returns 0.
int RunApplication(const std::string& project_file = "");
