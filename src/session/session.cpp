#include "session/session.h"

Session::Session() {
  run->SetSources({.input_form = &input_form,
                   .library = &library,
                   .a_coefficients = &a,
                   .b_coefficients = &b,
                   .signal_table = &signal,
                   .biharmonic = &biharmonic});
  run->SetTransform(&fft);
  b.SetFirstIndex(1);
}
