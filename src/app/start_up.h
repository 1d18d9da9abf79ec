#pragma once
// How the application comes up: its windows created once, in a fixed order, each reachable
// through its global pointer until the process ends.

#include <vector>

class QWidget;
struct Session;

// Creates RYNForm (which shows the splash), DiagramIncrease, CalcForm, InputForm, LibForm,
// FFT0Form, BGSForm and MeasureForm as views of the session, which outlives them, and connects
// them. Returns them in that order.
std::vector<QWidget*> CreateApplicationWindows(Session& session);

// The whole program after the application object exists: the windows, the event loop, and the
// display of an exception that escapes them. Always returns 0.
int RunApplication();
