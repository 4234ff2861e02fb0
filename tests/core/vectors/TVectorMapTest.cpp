// Tests of index maps over a broadcasting vector: following inserts and deletes, range checks,
// and a randomized comparison against a model that tracks which elements each map designates.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/vectors/MessageRecorder.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"

namespace {

using Vector = TBroadcasterVector<int>;
using Map = TVectorMap<int>;
using Indices = std::vector<std::uint32_t>;
using Message = TVectorMessage<int>;

// Every map must keep designating the same elements through any sequence of operations. Each
// element value is a unique identity; a model holds, per map, the identities in map order.
class MapModel {
public:
  MapModel(Vector & inVector, std::mt19937 & inRandom, bool inFull) : mMap(inVector, inFull) {
    if (!inFull) {
      // a random subset in random order
      for (std::uint32_t i = 0; i < inVector.size(); ++i)
        if (inRandom() % 2 == 0)
          mMap.push_back(i);
    }
    std::shuffle(mMap.begin(), mMap.end(), inRandom);
    for (std::uint32_t index : mMap)
      mIds.push_back(inVector.at(index));
  }

  Map mMap;
  std::vector<int> mIds;
};

TEST(TVectorMap, RandomizedOperationsKeepEveryMapOnItsElements) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    Vector vector;
    int nextId = 0;
    for (int i = 0; i < 20; ++i)
      vector.push_back(nextId++);
    std::vector<std::unique_ptr<MapModel>> models;
    for (int i = 0; i < 4; ++i)
      models.push_back(std::make_unique<MapModel>(vector, random, i % 2 == 0));
    // every map appends each newly inserted identity, in vector order
    auto appendNew = [&](std::uint32_t inBegin, std::uint32_t inEnd) {
      for (auto & model : models)
        for (std::uint32_t i = inBegin; i < inEnd; ++i)
          model->mIds.push_back(vector.at(i));
    };
    auto forget = [&](const std::vector<int> & inGone) {
      for (auto & model : models) {
        std::erase_if(
            model->mIds, [&](int id) { return std::find(inGone.begin(), inGone.end(), id) != inGone.end(); });
      }
    };
    auto replace = [&](int inOld, int inNew) {
      for (auto & model : models)
        std::replace(model->mIds.begin(), model->mIds.end(), inOld, inNew);
    };

    for (int step = 0; step < 400; ++step) {
      const auto size = static_cast<std::uint32_t>(vector.size());
      switch (random() % 10) {
      case 0:
      case 1: { // append
        vector.push_back(nextId++);
        appendNew(size, size + 1);
        break;
      }
      case 2: { // insert one anywhere
        const std::uint32_t at = random() % (size + 1);
        vector.insert(at, nextId++);
        appendNew(at, at + 1);
        break;
      }
      case 3: { // insert several anywhere
        const std::uint32_t at = random() % (size + 1);
        std::vector<int> block(random() % 4);
        for (int & id : block)
          id = nextId++;
        vector.insert(at, block.begin(), block.end());
        appendNew(at, at + static_cast<std::uint32_t>(block.size()));
        break;
      }
      case 4:
      case 5: { // delete a range in the middle, possibly empty
        const std::uint32_t begin = random() % (size + 1);
        const std::uint32_t end = begin + random() % (std::min<std::uint32_t>(size - begin, 5) + 1);
        const std::vector<int> gone(vector.begin() + begin, vector.begin() + end);
        vector.erase(begin, end);
        forget(gone);
        break;
      }
      case 6: { // replace an element, directly or through a map
        if (size == 0)
          break;
        auto & model = *models[random() % models.size()];
        if (!model.mMap.empty() && random() % 2 == 0) {
          const std::uint32_t position = random() % model.mMap.size();
          const int old = model.mMap.get(position);
          model.mMap.set(position, nextId);
          replace(old, nextId++);
        } else {
          const std::uint32_t at = random() % size;
          const int old = vector.at(at);
          vector.set(&vector.at(at), nextId);
          replace(old, nextId++);
        }
        break;
      }
      case 7: { // the owner reorders a map
        auto & model = *models[random() % models.size()];
        std::vector<std::size_t> order(model.mMap.size());
        for (std::size_t i = 0; i < order.size(); ++i)
          order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        Indices entries;
        std::vector<int> ids;
        for (std::size_t i : order) {
          entries.push_back(model.mMap[i]);
          ids.push_back(model.mIds[i]);
        }
        model.mMap.assign(entries.begin(), entries.end());
        model.mIds = ids;
        break;
      }
      case 8: { // a map comes or goes
        if (random() % 2 == 0 && models.size() > 1)
          models.erase(models.begin() + static_cast<std::ptrdiff_t>(random() % models.size()));
        else
          models.push_back(std::make_unique<MapModel>(vector, random, random() % 2 == 0));
        break;
      }
      case 9: { // rarely: clear or replace everything
        if (random() % 8 != 0)
          break;
        if (random() % 2 == 0) {
          vector.clear();
          for (auto & model : models)
            model->mIds.clear();
        } else {
          Vector other;
          for (int i = 0, n = static_cast<int>(random() % 10); i < n; ++i)
            other.push_back(nextId++);
          vector = other;
          for (auto & model : models)
            model->mIds.clear();
          appendNew(0, static_cast<std::uint32_t>(vector.size()));
        }
        break;
      }
      }

      for (const auto & model : models) {
        ASSERT_EQ(model->mMap.size(), model->mIds.size()) << "step " << step;
        for (std::size_t position = 0; position < model->mIds.size(); ++position) {
          ASSERT_LT(model->mMap[position], vector.size()) << "step " << step;
          ASSERT_EQ(vector.at(model->mMap[position]), model->mIds[position]) << "step " << step;
        }
      }
    }
  }
}

} // namespace
