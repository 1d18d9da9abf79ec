#pragma once
// The values of the command line or a project go through the dialogs' setters, which correct a value out of
// range with a message, as they do for the user's typing. After such a message the notes say
// which value the run then uses, one line per option: "corrected: --order = 200".

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// A value a correction may change, as an option names it.
struct CorrectedQuantity {
  std::string option;            // "--lp-db"
  std::function<double()> used;  // the value held now, in the option's unit
};

class CorrectionNotes {
 public:
  // watched: the quantities that a correction of another value may change too (the pass-band
  // level and the ripple of a Chebyshev design change together; the order's limits apply to
  // an automatic order too); "--order" is told only after the messages about the order.
  CorrectionNotes(std::FILE* err, std::vector<CorrectedQuantity> watched);
  ~CorrectionNotes();
  CorrectionNotes(const CorrectionNotes&) = delete;
  CorrectionNotes& operator=(const CorrectionNotes&) = delete;

  // Gives option the value given through set, which returns the value it keeps (in set's own
  // unit: given · scale); after the messages set shows, a line for each value they changed.
  void Apply(const std::string& option, double given, const std::function<double(double)>& set, double scale = 1);

 private:
  std::FILE* err_;  // null: no notes
  std::vector<CorrectedQuantity> watched_;
  std::vector<std::string> messages_;
  std::function<void(const std::string&)> previous_;
};
