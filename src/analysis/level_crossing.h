#pragma once
// Where a continuous amplitude response passes a level for the last (or the first) time, found on the response
// itself rather than on its grid: a side lobe narrower than a grid step that rises above the level
// between two grid points moves the edge, and the grid alone cannot see it.

#include <complex>
#include <functional>
#include <optional>
#include <vector>

// The amplitude response of a filter at any frequency, as the grid shows it (normalised, or in
// dB), with what tells how fast it can change.
struct ContinuousResponse {
  std::function<double(double omega)> at;
  // The filter's order n: |H|² is a ratio of trigonometric polynomials of degree n, so lobes are
  // no narrower than about π/n unless roots close to the unit circle make them so.
  int order = 0;
  // Its zeros and poles: next to a root at distance d from the circle the response changes on a
  // scale of d, and between two roots on the scale of their distance.
  std::vector<std::complex<double>> zeros;
  std::vector<std::complex<double>> poles;
};

// The last frequency of [from, to] (0 ≤ from ≤ to ≤ π) at which passes(at(ω)) holds, as [low,
// high]: it holds at low, and at no point looked at from high to `to`. The response is sampled
// from `to` down to `from` at steps of at most longest_step (the grid's), π/(4n) and a quarter of
// each root's distance (from the circle, or along it); wherever the samples have a local maximum
// that does not pass but for which near() holds, the maximum itself is found, and a lobe above the
// level between samples is seen. The crossing is then narrowed to 1e−10 by bisection. Nothing
// when no point passes.
struct FrequencyBracket {
  double low = 0, high = 0;
};
std::optional<FrequencyBracket> LastPassing(const ContinuousResponse& response, double from, double to,
                                            double longest_step, const std::function<bool(double)>& passes,
                                            const std::function<bool(double)>& near);
// The same from the other side: the first frequency of [from, to] at which it holds, as [low,
// high]: it holds at high, and at no point looked at from `from` to low.
std::optional<FrequencyBracket> FirstPassing(const ContinuousResponse& response, double from, double to,
                                             double longest_step, const std::function<bool(double)>& passes,
                                             const std::function<bool(double)>& near);
