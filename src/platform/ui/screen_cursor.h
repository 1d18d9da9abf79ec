#pragma once
// The screen cursor while the program works: the hourglass over every window of the program,
// and back to whatever it was before when the guard ends.

class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
};

// The same as two calls, for windows whose busy time begins and ends in different events.
void ShowHourglassCursor();
void RestoreScreenCursor();
