#include "diagram/keeper_chain.h"

#include <new>

#include "platform/messages.h"

namespace {

// Numbers are bytes.
constexpr int kMaxKeepers = 256;

}  // namespace

TKeeperChain::~TKeeperChain() { DeleteKeeperList(); }

TKeeper* TKeeperChain::AppendKeeper() {
  TKeeper* last = &base_;
  int links = 1;
  while (last->GetNext() != nullptr) {
    last = last->GetNext();
    ++links;
  }
  // A 257th series would wrap its number round to the base's.
  if (links >= kMaxKeepers) return nullptr;
  TKeeper* keeper = new (std::nothrow) TKeeper;
  if (keeper == nullptr) return nullptr;
  last->SetNext(keeper);
  keeper->SetNumber(static_cast<std::uint8_t>(last->GetNumber() + 1));
  return keeper;
}

std::uint8_t TKeeperChain::NewKeeper() {
  TKeeper* keeper = AppendKeeper();
  if (keeper == nullptr) {
    ShowMessage("Diagram: Отказано в выделении памяти при создании графика.");
    return 0;
  }
  return keeper->GetNumber();
}

TKeeper* TKeeperChain::PNewKeeper() {
  TKeeper* keeper = AppendKeeper();
  if (keeper == nullptr) ShowMessage("Diagram: Hе удалось создать график.");
  return keeper;
}

void TKeeperChain::NewKeeperList(std::uint8_t n) {
  DeleteKeeperList();
  if (n < 2) return;
  // A failed NewKeeper returns 0; stop there instead of asking again forever.
  for (std::uint8_t number = 0; number != n - 1;) {
    number = NewKeeper();
    if (number == 0) return;
  }
}

void TKeeperChain::DeleteKeeperList() {
  TKeeper* keeper = base_.GetNext();
  base_.ClearNext();
  while (keeper != nullptr) {
    TKeeper* next = keeper->GetNext();
    delete keeper;
    keeper = next;
  }
}

TKeeper* TKeeperChain::GetKeeper(std::uint8_t number) {
  for (TKeeper* k = &base_; k != nullptr; k = k->GetNext()) {
    if (k->GetNumber() == number) return k;
  }
  return nullptr;
}

int TKeeperChain::GetKeeperListLength() const {
  int length = 0;
  for (const TKeeper* k = &base_; k != nullptr; k = k->GetNext()) ++length;
  return length;
}

void TKeeperChain::DeleteKeeper(std::uint8_t number) {
  if (TKeeper* k = GetKeeper(number)) PDeleteKeeper(k);
}

void TKeeperChain::PDeleteKeeper(TKeeper* k) {
  if (k == &base_) {
    ShowMessage("Diagram: Попытка удалить базовый график отменена.");
    return;
  }
  TKeeper* previous = &base_;
  while (previous->GetNext() != nullptr && previous->GetNext() != k) previous = previous->GetNext();
  if (previous->GetNext() != k || k == nullptr) return;
  previous->SetNext(k->GetNext());
  std::uint8_t number = k->GetNumber();
  delete k;
  for (TKeeper* behind = previous->GetNext(); behind != nullptr; behind = behind->GetNext()) {
    behind->SetNumber(number++);
  }
}
