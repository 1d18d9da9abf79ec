#include "filter/paired_products.h"

void PairedProducts::Append(double b0, double b1, double b2, double a1, double a2) {
  Section section;
  section.k0 = Lanes{b0, 1};
  section.k1 = Lanes{b1, -a1};
  section.k2 = Lanes{b2, -a2};
  section.l1 = Lanes{-b1, a1};
  section.l2 = Lanes{-b2, a2};
  sections_.push_back(section);
}

bool PairedProducts::Sum(const SectionAngles& angles, AngleSum& numerator, AngleSum& denominator) const {
  const Lanes largest = BothLanes(AngleSum::kLargestSize), smallest = BothLanes(AngleSum::kSmallestSize);
  Lanes re = {1, 1}, im = {0, 0};
  LaneInts turns = {0, 0}, exponent = {0, 0};
  for (const Section& s : sections_) {
    const Lanes x = (s.k0 + s.k1 * angles.c1) + s.k2 * angles.c2;
    const Lanes y = s.l1 * angles.s1 + s.l2 * angles.s2;
    const Lanes new_re = re * x - im * y;
    const Lanes new_im = re * y + im * x;
    // AngleSum's count of whole turns, without branches: ((old ^ term) − 1) & (new − old) is
    // new − old where the two factors lie in the same half-plane, else 0.
    const LaneInts lower_old = SignBits(im), lower_term = SignBits(y), lower_new = SignBits(new_im);
    turns += ((lower_old ^ lower_term) - 1) & (lower_new - lower_old);
    re = new_re;
    im = new_im;
    // One test for the rare cases: a term AngleSum would scale or skip, or a product to scale.
    const Lanes term_size = Larger(Magnitude(x), Magnitude(y));
    const Lanes size = Larger(Magnitude(re), Magnitude(im));
    if ((GreaterLanes(Larger(term_size, size), largest) | GreaterLanes(smallest, Smaller(term_size, size))) != 0) {
      if ((GreaterLanes(term_size, largest) | GreaterLanes(smallest, term_size)) != 0) return false;
      // The power of two frexp would give (the size is a normal number here), taken off exactly.
      const LaneInts out = (size > largest) | (size < smallest);
      const LaneInts taken = (((LaneInts)((LaneBits)size >> 52) & 0x7ff) - 1022) & out;
      const Lanes scale = (Lanes)((1023 - taken) << 52);
      re *= scale;
      im *= scale;
      exponent += taken;
    }
  }
  const auto lane = [&](AngleSum& sum, int l) {
    sum.re_ = re[l];
    sum.im_ = im[l];
    sum.turns_ = static_cast<int>(turns[l]);
    sum.exponent_ = exponent[l];
  };
  lane(numerator, 0);
  lane(denominator, 1);
  return true;
}
