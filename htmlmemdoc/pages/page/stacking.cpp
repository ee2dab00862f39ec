// stacking.cpp: for each z-index, and each kind r that is written before
// another, the layers of kind r (the queries) ask whether an earlier layer
// of a kind written after r (the points) overlaps them. The points that
// overlap a box are counted by inclusion and exclusion: the earlier points,
// less those wholly left of it, right of it, above it or below it, plus
// those in each corner (counted twice among the four). Each term counts
// earlier points whose two coordinates are at most the query's; divide and
// conquer over page order, with a sweep and a Fenwick tree over one
// coordinate, counts a term for every query in O(n log^2 n).

#include "htmlmemdoc/pages/page/stacking.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "htmlmemdoc/layers/layer_box.h"

namespace htmlmemdoc {
namespace {

struct Box {
  long long x1, y1, x2, y2;  // [x1, x2) by [y1, y2), in pixels
};

struct Item {
  size_t order;  // place in page order
  int rank;      // 0 to 3: written with the text, image, video, embed layers
  int z;
  Box box;
  const CHtmlLayer* layer;
};

bool Overlap(const Box& a, const Box& b) {
  return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

// Where the layer is written: with the text (0), image (1), video (2) or
// embed and live-audio layers (3); -1 for a plain layer, never written.
int RankOf(const CHtmlLayer& layer) {
  switch (layer.GetLayerKind()) {
    case HtmlLayerText:
      return 0;
    case HtmlLayerImage:
      return 1;
    case HtmlLayerVideo:
      return 2;
    case HtmlLayerEmbed:
    case HtmlLayerLiveAudio:
      return 3;
    default:
      return -1;
  }
}

// The layer's box and z-index (0 for none), when its div's style gives all
// of the box and it has an area.
bool BoxOf(const CHtmlLayer& layer, Box& box, int& z) {
  CPixelBox pixels;
  if (!GetPixelBox(layer, "div", pixels) || pixels.width <= 0 ||
      pixels.height <= 0)
    return false;
  box = {pixels.left, pixels.top,
         static_cast<long long>(pixels.left) + pixels.width,
         static_cast<long long>(pixels.top) + pixels.height};
  z = pixels.zIndex;
  return true;
}

// One term of the count: a point or a query with the two coordinates the
// term compares (a point counts for a query when both are at most the
// query's).
struct Entry {
  bool point;
  long long a, b;
  size_t query;  // the query's number
};

class Fenwick {
 public:
  explicit Fenwick(size_t size) : m_counts(size + 1, 0) {}
  void Add(size_t at) {
    for (++at; at < m_counts.size(); at += at & (~at + 1)) ++m_counts[at];
  }
  long long Prefix(size_t count) const {  // entries 0 .. count - 1
    long long sum = 0;
    for (; count > 0; count -= count & (~count + 1)) sum += m_counts[count];
    return sum;
  }

 private:
  std::vector<long long> m_counts;
};

// Adds to counts[query] the points before each query in `entries` (page
// order) that it dominates.
void CountDominated(const std::vector<Entry>& entries, size_t lo, size_t hi,
                    std::vector<long long>& counts) {
  if (hi - lo < 2) return;
  const size_t mid = lo + (hi - lo) / 2;
  CountDominated(entries, lo, mid, counts);
  CountDominated(entries, mid, hi, counts);
  std::vector<const Entry*> points, queries;
  for (size_t i = lo; i < mid; ++i)
    if (entries[i].point) points.push_back(&entries[i]);
  for (size_t i = mid; i < hi; ++i)
    if (!entries[i].point) queries.push_back(&entries[i]);
  if (points.empty() || queries.empty()) return;
  const auto byA = [](const Entry* x, const Entry* y) { return x->a < y->a; };
  std::sort(points.begin(), points.end(), byA);
  std::sort(queries.begin(), queries.end(), byA);
  std::vector<long long> bs;
  for (const Entry* p : points) bs.push_back(p->b);
  std::sort(bs.begin(), bs.end());
  bs.erase(std::unique(bs.begin(), bs.end()), bs.end());
  Fenwick tree(bs.size());
  size_t next = 0;
  for (const Entry* q : queries) {
    for (; next < points.size() && points[next]->a <= q->a; ++next) {
      tree.Add(static_cast<size_t>(
          std::lower_bound(bs.begin(), bs.end(), points[next]->b) -
          bs.begin()));
    }
    counts[q->query] += tree.Prefix(static_cast<size_t>(
        std::upper_bound(bs.begin(), bs.end(), q->b) - bs.begin()));
  }
}

// The same when one coordinate is 0 for every entry (`b`: the other one
// is): a sweep in that coordinate, with a Fenwick tree over page order,
// counts each query's earlier points at or below it in O(n log n).
void CountDominatedInOne(const std::vector<Entry>& entries, bool b,
                         std::vector<long long>& counts) {
  std::vector<size_t> order(entries.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto key = [&entries, b](size_t i) {
    return b ? entries[i].b : entries[i].a;
  };
  std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
    if (key(x) != key(y)) return key(x) < key(y);
    return entries[x].point && !entries[y].point;  // "at most": points first
  });
  Fenwick tree(entries.size());
  for (const size_t i : order) {
    if (entries[i].point)
      tree.Add(i);
    else
      counts[entries[i].query] += tree.Prefix(i);
  }
}

// A coordinate of a point's box and of a query's box for one comparison.
using Side = long long (*)(const Box&);
struct Term {
  int sign;
  Side pointA, queryA, pointB, queryB;
};

// For each query among `items` (rank r; points rank above it), how many
// earlier points overlap it.
std::vector<long long> OverlapCounts(const std::vector<const Item*>& items,
                                     int r) {
  const Side zero = [](const Box&) { return 0LL; };
  const Side x1 = [](const Box& b) { return b.x1; };
  const Side x2 = [](const Box& b) { return b.x2; };
  const Side y1 = [](const Box& b) { return b.y1; };
  const Side y2 = [](const Box& b) { return b.y2; };
  const Side minusX1 = [](const Box& b) { return -b.x1; };
  const Side minusX2 = [](const Box& b) { return -b.x2; };
  const Side minusY1 = [](const Box& b) { return -b.y1; };
  const Side minusY2 = [](const Box& b) { return -b.y2; };
  // Left: p.x2 <= q.x1; right: p.x1 >= q.x2; above: p.y2 <= q.y1; below:
  // p.y1 >= q.y2.
  const Term kTerms[] = {{+1, zero, zero, zero, zero},
                         {-1, x2, x1, zero, zero},
                         {-1, minusX1, minusX2, zero, zero},
                         {-1, zero, zero, y2, y1},
                         {-1, zero, zero, minusY1, minusY2},
                         {+1, x2, x1, y2, y1},
                         {+1, x2, x1, minusY1, minusY2},
                         {+1, minusX1, minusX2, y2, y1},
                         {+1, minusX1, minusX2, minusY1, minusY2}};
  size_t queries = 0;
  for (const Item* item : items) queries += item->rank == r;
  std::vector<long long> total(queries, 0);
  std::vector<Entry> entries;
  std::vector<long long> counts;
  for (const Term& term : kTerms) {
    entries.clear();
    size_t query = 0;
    for (const Item* item : items) {
      const bool point = item->rank > r;
      entries.push_back({point, (point ? term.pointA : term.queryA)(item->box),
                         (point ? term.pointB : term.queryB)(item->box),
                         point ? 0 : query++});
    }
    counts.assign(queries, 0);
    const bool flatA = term.pointA == zero, flatB = term.pointB == zero;
    if (flatA && flatB) {
      long long points = 0;  // every earlier point counts
      for (const Entry& entry : entries) {
        if (entry.point)
          ++points;
        else
          counts[entry.query] = points;
      }
    } else if (flatA != flatB) {
      CountDominatedInOne(entries, flatA, counts);
    } else {
      CountDominated(entries, 0, entries.size(), counts);
    }
    for (size_t i = 0; i < queries; ++i) total[i] += term.sign * counts[i];
  }
  return total;
}

// Groups this small are compared pair by pair: at most kFewItems steps a
// layer, cheaper than the counting's sorts for the few layers most pages
// give a z-index.
const size_t kFewItems = 32;

// For each query among `items` (rank r), 1 when an earlier point overlaps
// it, else 0.
std::vector<long long> OverlapsByPairs(const std::vector<const Item*>& items,
                                       int r) {
  std::vector<long long> found;
  for (size_t q = 0; q < items.size(); ++q) {
    if (items[q]->rank != r) continue;
    bool over = false;
    for (size_t p = 0; p < q && !over; ++p)
      over = items[p]->rank > r && Overlap(items[p]->box, items[q]->box);
    found.push_back(over ? 1 : 0);
  }
  return found;
}

// The layers of [begin, end) (one z-index, page order) that kinds written
// later would cover; `items` is room for the layers each kind compares.
void AddChanges(const Item* begin, const Item* end,
                std::vector<std::pair<size_t, const Item*>>& found,
                std::vector<const Item*>& items) {
  if (end - begin < 2) return;  // one layer of its z-index is on top
  for (int r = 0; r < 3; ++r) {
    items.clear();
    size_t firstPoint = SIZE_MAX;
    for (const Item* item = begin; item != end; ++item) {
      if (item->rank > r) firstPoint = std::min(firstPoint, item->order);
      // A query before every point has nothing to go under.
      if (item->rank > r || (item->rank == r && item->order > firstPoint))
        items.push_back(item);
    }
    if (items.empty()) continue;
    const std::vector<long long> counts = items.size() <= kFewItems
                                              ? OverlapsByPairs(items, r)
                                              : OverlapCounts(items, r);
    size_t query = 0;
    for (const Item* item : items) {
      if (item->rank != r) continue;
      if (counts[query++] > 0) found.emplace_back(item->order, item);
    }
  }
}

}  // namespace

std::vector<StackingChange> FindStackingChanges(const CHtmlMemDoc& document,
                                                size_t named) {
  CObList inPageOrder;
  document.GetLayersInPageOrder(inPageOrder);
  std::vector<std::pair<const CHtmlLayer*, int>> written;  // and their rank
  bool sorted = true;  // already in the order they are written
  for (POSITION pos = inPageOrder.GetHeadPosition(); pos != nullptr;) {
    const auto* layer =
        static_cast<const CHtmlLayer*>(inPageOrder.GetNext(pos));
    const int rank = RankOf(*layer);
    if (rank < 0) continue;
    sorted = sorted && (written.empty() || rank >= written.back().second);
    written.emplace_back(layer, rank);
  }
  if (sorted) return {};  // layers written in page order keep their stacking
  // The layers with a box, by z-index and in page order within one: each
  // z-index's group is a run of them.
  std::vector<Item> items;
  items.reserve(written.size());
  for (size_t order = 0; order < written.size(); ++order) {
    const CHtmlLayer* layer = written[order].first;
    Box box{};
    int z = 0;
    if (!BoxOf(*layer, box, z)) continue;
    items.push_back({order, written[order].second, z, box, layer});
  }
  const auto byZ = [](const Item& a, const Item& b) { return a.z < b.z; };
  std::stable_sort(items.begin(), items.end(), byZ);
  std::vector<std::pair<size_t, const Item*>> found;
  std::vector<const Item*> compared;
  for (size_t begin = 0, end = 0; begin < items.size(); begin = end) {
    while (end < items.size() && items[end].z == items[begin].z) ++end;
    AddChanges(&items[begin], items.data() + end, found, compared);
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<StackingChange> changes;
  for (const auto& [at, item] : found) {
    const CHtmlLayer* over = nullptr;
    for (auto other = std::lower_bound(items.begin(), items.end(), *item, byZ);
         other != items.end() && other->z == item->z; ++other) {
      if (changes.size() >= named || other->order >= at) break;
      if (other->rank > item->rank && Overlap(other->box, item->box)) {
        over = other->layer;
        break;
      }
    }
    changes.push_back({item->layer, over});
  }
  return changes;
}

}  // namespace htmlmemdoc
