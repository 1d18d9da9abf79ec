#include "dialogs/biharmonic_fields.h"

#include "numeric/number_text.h"

BiharmonicFields::BiharmonicFields(BiharmonicModel& model) : model_(model) { ShowSignal(); }

void BiharmonicFields::ShowSignal() {
  for (std::optional<std::string>& refused : refused_) refused.reset();
  for (const int k : {1, 2}) {
    WriteFrequencies(k);
    Write(k, SignalField::kAmplitude);
    Write(k, SignalField::kPhase);
  }
}

std::vector<SignalFieldId> BiharmonicFields::TakeRewritten() {
  std::vector<SignalFieldId> ids;
  for (const int index : texts_.TakeWritten()) ids.push_back(IdOf(index));
  return ids;
}

CommitResult BiharmonicFields::Commit(SignalFieldId id, const std::string& text) {
  if (texts_.Holds(Index(id), text)) return CommitResult::kUnchanged;
  double value = 0;
  const bool infinite_period = id.field == SignalField::kPeriod && text == Oscillation::kInfinityText;
  if (!infinite_period && !TextToDouble(text, value)) return Refuse(id, text);
  refused_[static_cast<std::size_t>(Index(id))].reset();
  const int k = id.oscillation;
  switch (id.field) {
    case SignalField::kOmega: model_.EnterOmega(k, text); break;
    case SignalField::kFrequency: model_.EnterFrequency(k, text); break;
    case SignalField::kPeriod: model_.EnterPeriod(k, text); break;
    case SignalField::kAmplitude:
      model_.EnterAmplitude(k, text);
      Write(k, SignalField::kAmplitude);
      return CommitResult::kCommitted;
    case SignalField::kPhase:
      model_.EnterPhase(k, text);
      // The typed text stays, it is now what the field holds; one with an exponent gives way to
      // the field's own decimals, as every other field shows its value.
      if (text.find_first_of("eE") == std::string::npos) texts_.Write(Index(id), text);
      else Write(k, SignalField::kPhase);
      return CommitResult::kCommitted;
  }
  WriteFrequencies(k);
  return CommitResult::kCommitted;
}

CommitResult BiharmonicFields::Refuse(SignalFieldId id, const std::string& text) {
  std::optional<std::string>& refused = refused_[static_cast<std::size_t>(Index(id))];
  if (refused != text) {
    refused = text;
    return CommitResult::kInvalid;
  }
  refused.reset();
  Write(id.oscillation, id.field);
  return CommitResult::kRestored;
}

void BiharmonicFields::RestoreRefused() {
  for (int index = 0; index < 2 * kSignalFieldCount; ++index) {
    std::optional<std::string>& refused = refused_[static_cast<std::size_t>(index)];
    if (!refused) continue;
    refused.reset();
    const SignalFieldId id = IdOf(index);
    Write(id.oscillation, id.field);
  }
}

void BiharmonicFields::SetPhaseInDegrees(int oscillation, bool degrees) {
  model_.SetPhaseInDegrees(oscillation, degrees);
  Write(oscillation, SignalField::kPhase);
}

void BiharmonicFields::WriteFrequencies(int oscillation) {
  Write(oscillation, SignalField::kOmega);
  Write(oscillation, SignalField::kFrequency);
  Write(oscillation, SignalField::kPeriod);
}

void BiharmonicFields::Write(int oscillation, SignalField field) {
  const Oscillation& osc = model_.GetOscillation(oscillation);
  std::string text;
  switch (field) {
    case SignalField::kOmega: text = osc.OmegaText(); break;
    case SignalField::kFrequency: text = osc.FrequencyText(); break;
    case SignalField::kPeriod: text = osc.PeriodText(); break;
    case SignalField::kAmplitude: text = osc.AmplitudeText(); break;
    case SignalField::kPhase: text = osc.PhaseText(); break;
  }
  texts_.Write(Index({oscillation, field}), std::move(text));
}
