#pragma once
// The chain of series a diagram draws. The base series (number 0) is part of the chain holder
// and can never be deleted; the others are created and freed here. A chain linked behind the
// base with SetNext is borrowed and must be unlinked (ClearNext) before the holder goes.

#include <cstdint>

#include "diagram/keeper.h"

class TKeeperChain {
 public:
  TKeeperChain() = default;
  ~TKeeperChain();
  TKeeperChain(const TKeeperChain&) = delete;
  TKeeperChain& operator=(const TKeeperChain&) = delete;

  // Appends a new series; returns its number, or 0 (with a message) when none could be made.
  std::uint8_t NewKeeper();
  // Appends a new series; returns it, or null (with a message) when none could be made.
  TKeeper* PNewKeeper();
  // Leaves a chain of n series numbered 0..n-1 (the base alone for n 0 or 1).
  void NewKeeperList(std::uint8_t n);
  // Frees every series behind the base.
  void DeleteKeeperList();
  TKeeper* GetKeeper(std::uint8_t number);
  // Number of series, the base included (an int: a full chain holds 256).
  int GetKeeperListLength() const;
  void DeleteKeeper(std::uint8_t number);
  // Unlinks and frees k and renumbers the series behind it; the base is refused with a message.
  void PDeleteKeeper(TKeeper* k);

  TKeeper& Base() { return base_; }
  const TKeeper& Base() const { return base_; }

 private:
  // The new series behind the last one, or null when the chain is full or memory is refused.
  TKeeper* AppendKeeper();

  TKeeper base_;
};
