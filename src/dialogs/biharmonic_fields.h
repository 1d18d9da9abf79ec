#pragma once
// The edit fields of the biharmonic signal dialog: five per oscillation, each committed to the
// signal model when the user leaves it, with the fields that depend on it written back.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/biharmonic_model.h"
#include "dialogs/field_keys.h"
#include "dialogs/field_texts.h"

enum class SignalField { kOmega, kFrequency, kPeriod, kAmplitude, kPhase };
constexpr int kSignalFieldCount = 5;

// One field of one oscillation (1 or 2).
struct SignalFieldId {
  int oscillation = 1;
  SignalField field = SignalField::kOmega;
  bool operator==(const SignalFieldId&) const = default;
};

class BiharmonicFields {
 public:
  static constexpr int kMaxChars = 6;

  // Fills all ten fields from the signal.
  explicit BiharmonicFields(BiharmonicModel& model);

  BiharmonicModel& Model() { return model_; }

  // Phases may be negative; frequencies, periods and amplitudes may not.
  static FieldKeys KeysOf(SignalField field) {
    return field == SignalField::kPhase ? FieldKeys::kSigned : FieldKeys::kUnsigned;
  }

  const std::string& Text(SignalFieldId id) const { return texts_.Text(Index(id)); }
  // The fields written since the last call.
  std::vector<SignalFieldId> TakeRewritten();

  // Leaving a field. A frequency, period or amplitude is corrected by the model, which shows
  // its messages, and rewritten with the fields that depend on it; a phase is taken in the
  // field's unit and left as typed, unless typed with an exponent, which gives way to the
  // field's decimals. Unreadable text is refused once (kInvalid); left again unchanged, the field
  // gets the value in effect back (kRestored), so that no entry can hold the dialog.
  CommitResult Commit(SignalFieldId id, const std::string& text);
  // Every field still holding refused text gets the value in effect back (the dialog closes).
  void RestoreRefused();
  // Rewrites every field from the signal, as a new dialog shows them: the signal was set from
  // elsewhere (a project).
  void ShowSignal();
  // Shows the phase of an oscillation in degrees or radians; the phase itself stays.
  void SetPhaseInDegrees(int oscillation, bool degrees);

 private:
  static int Index(SignalFieldId id) {
    return (id.oscillation == 2 ? kSignalFieldCount : 0) + static_cast<int>(id.field);
  }
  static SignalFieldId IdOf(int index) {
    return {index < kSignalFieldCount ? 1 : 2, static_cast<SignalField>(index % kSignalFieldCount)};
  }
  CommitResult Refuse(SignalFieldId id, const std::string& text);
  void Write(int oscillation, SignalField field);
  void WriteFrequencies(int oscillation);

  BiharmonicModel& model_;
  FieldTexts texts_{2 * kSignalFieldCount};
  // The unreadable text each field was last refused with, until it is left with another.
  std::array<std::optional<std::string>, 2 * kSignalFieldCount> refused_;
};
