// Tests of index maps over a broadcasting vector: following inserts and deletes, range checks,
// and a randomized comparison against a model that tracks which elements each map designates.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "core/vectors/MessageRecorder.h"
#include "vectors/TBroadcasterVector.h"
#include "vectors/TVectorMap.h"

namespace {

using Vector = TBroadcasterVector<int>;
using Map = TVectorMap<int>;
using Indices = std::vector<std::uint32_t>;
using Message = TVectorMessage<int>;

Indices Entries(const Map & inMap) { return Indices(inMap.begin(), inMap.end()); }

Vector Numbers(int inCount) {
  Vector vector;
  for (int i = 0; i < inCount; ++i) {
    vector.push_back(i * 10);
  }
  return vector;
}

TEST(TVectorMap, FollowsAppendsInsertsAndDeletes) {
  Vector vector = Numbers(3);
  Map full(vector, true);
  Map sorted(vector, true);
  Map empty(vector, false);
  EXPECT_EQ(Entries(full), (Indices{0, 1, 2}));
  EXPECT_TRUE(empty.empty());

  std::sort(sorted.begin(), sorted.end(), [](std::uint32_t a, std::uint32_t b) { return (a + 1) % 3 > (b + 1) % 3; });
  ASSERT_EQ(Entries(sorted), (Indices{1, 0, 2}));
  sorted.assign({2, 0, 1});
  vector.push_back(30);
  EXPECT_EQ(Entries(full), (Indices{0, 1, 2, 3}));
  EXPECT_EQ(Entries(sorted), (Indices{2, 0, 1, 3})); // new entries arrive unsorted at the end
  EXPECT_EQ(Entries(empty), (Indices{3}));

  vector.push_back(40); // five elements now
  sorted.assign({4, 0, 3, 2, 1});
  vector.erase(1, 3); // 0, 3, 4 become 0, 1, 2
  EXPECT_EQ(Entries(full), (Indices{0, 1, 2}));
  EXPECT_EQ(Entries(sorted), (Indices{2, 0, 1}));
  EXPECT_EQ(full.get(1u), 30);
  EXPECT_EQ(sorted.get(0u), 40);

  const std::vector<int> pair{5, 6};
  vector.insert(1u, pair.begin(), pair.end()); // 0 5 6 30 40
  EXPECT_EQ(Entries(full), (Indices{0, 3, 4, 1, 2}));
  EXPECT_EQ(Entries(sorted), (Indices{4, 0, 3, 1, 2}));
  EXPECT_EQ(sorted.get(0u), 40);
  EXPECT_EQ(sorted.get(3u), 5);

  vector.set(0u, 1); // changes leave the order alone
  EXPECT_EQ(Entries(full), (Indices{0, 3, 4, 1, 2}));

  vector.clear();
  EXPECT_TRUE(full.empty());
  EXPECT_TRUE(sorted.empty());
  EXPECT_TRUE(empty.empty());

  vector.push_back(7);
  full.Repopulate();
  EXPECT_EQ(Entries(full), (Indices{0}));
}

TEST(TVectorMap, AccessIsRangeCheckedAndSetGoesThroughTheVector) {
  Vector vector = Numbers(4);
  Map map(vector, false);
  map.assign({3, 1});
  testsupport::MessageRecorder<int> recorder;
  vector.AddListener(&recorder);

  EXPECT_EQ(map.get(0u), 30);
  EXPECT_EQ(map.get(map.data() + 1), 10);
  EXPECT_THROW(static_cast<void>(map.get(2u)), std::out_of_range);
  EXPECT_THROW(map.set(2u, 5), std::out_of_range);
  const unsigned int stale = 4;
  EXPECT_THROW(static_cast<void>(map.get(&stale)), std::out_of_range);
  const unsigned int * none = nullptr;
  EXPECT_THROW(static_cast<void>(map.get(none)), std::out_of_range);
  map.push_back(9); // the owner planted an index the vector does not have
  EXPECT_THROW(static_cast<void>(map.get(2u)), std::out_of_range);
  EXPECT_THROW(map.set(2u, 5), std::out_of_range);
  EXPECT_TRUE(recorder.mMessages.empty());

  map.set(0u, 33);
  EXPECT_EQ(vector.at(3), 33);
  EXPECT_EQ(recorder.mMessages, (std::vector<Message>{Message(Message::eNotice, 3, 4), Message(Message::eChange, 3, 4)}));
}

TEST(TVectorMap, LifetimesAndCopies) {
  auto vector = std::make_unique<Vector>(Numbers(3));
  Map map(*vector, true);
  {
    Map copy(map);
    EXPECT_EQ(vector->CountListeners(), 2u);
    vector->push_back(1);
    EXPECT_EQ(Entries(copy), (Indices{0, 1, 2, 3}));
  }
  EXPECT_EQ(vector->CountListeners(), 1u);
  vector.reset(); // the vector's last messages empty the map and end the registration
  EXPECT_TRUE(map.empty());
  EXPECT_TRUE(map.GetBroadcasters().empty());
}

// Every map must keep designating the same elements through any sequence of operations. Each
// element value is a unique identity; a model holds, per map, the identities in map order.
class MapModel {
public:
  MapModel(Vector & inVector, std::mt19937 & inRandom, bool inFull) : mMap(inVector, inFull) {
    if (!inFull) {
      // a random subset in random order
      for (std::uint32_t i = 0; i < inVector.size(); ++i) {
        if (inRandom() % 2 == 0) {
          mMap.push_back(i);
        }
      }
    }
    std::shuffle(mMap.begin(), mMap.end(), inRandom);
    for (std::uint32_t index : mMap) {
      mIds.push_back(inVector.at(index));
    }
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
    for (int i = 0; i < 20; ++i) {
      vector.push_back(nextId++);
    }
    std::vector<std::unique_ptr<MapModel>> models;
    for (int i = 0; i < 4; ++i) {
      models.push_back(std::make_unique<MapModel>(vector, random, i % 2 == 0));
    }
    // every map appends each newly inserted identity, in vector order
    auto appendNew = [&](std::uint32_t inBegin, std::uint32_t inEnd) {
      for (auto & model : models) {
        for (std::uint32_t i = inBegin; i < inEnd; ++i) {
          model->mIds.push_back(vector.at(i));
        }
      }
    };
    auto forget = [&](const std::vector<int> & inGone) {
      for (auto & model : models) {
        std::erase_if(model->mIds, [&](int id) { return std::find(inGone.begin(), inGone.end(), id) != inGone.end(); });
      }
    };
    auto replace = [&](int inOld, int inNew) {
      for (auto & model : models) {
        std::replace(model->mIds.begin(), model->mIds.end(), inOld, inNew);
      }
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
        for (int & id : block) {
          id = nextId++;
        }
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
        if (size == 0) {
          break;
        }
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
        for (std::size_t i = 0; i < order.size(); ++i) {
          order[i] = i;
        }
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
        if (random() % 2 == 0 && models.size() > 1) {
          models.erase(models.begin() + static_cast<std::ptrdiff_t>(random() % models.size()));
        } else {
          models.push_back(std::make_unique<MapModel>(vector, random, random() % 2 == 0));
        }
        break;
      }
      case 9: { // rarely: clear or replace everything
        if (random() % 8 != 0) {
          break;
        }
        if (random() % 2 == 0) {
          vector.clear();
          for (auto & model : models) {
            model->mIds.clear();
          }
        } else {
          Vector other;
          for (int i = 0, n = static_cast<int>(random() % 10); i < n; ++i) {
            other.push_back(nextId++);
          }
          vector = other;
          for (auto & model : models) {
            model->mIds.clear();
          }
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
