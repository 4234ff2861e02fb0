// The task document: message traffic of loading, dirty tracking, totals and maps, merging
// with and without emptying the merged file, every failure path, streams, read-only
// documents, saving under a new name.
#include "core/vectors/MessageRecorder.h"
#include "core/tasks/DocumentTestHelpers.h"
#include "files/SSystemCalls.h"
#include "tasks/STaskVectorMap.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using doctest::CanOpen;
using doctest::DocumentRecorder;
using doctest::FileStream;
using doctest::NamesIn;
using doctest::TestDocument;
using testsupport::FileFailure;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
using F = SDateFormat;
using M = TVectorMessage<STask>;
using D = STaskDocumentMessage;

const std::string kOwn = "12/25/2012\t1:00\tJD\t1\tA\tone\r\n"
                         "12/26/2012\t2:00\tJD\t1\tA\ttwo\r\n"
                         "12/27/2012\t0:30\tmk\t2\tB\tthree\r\n";
const std::string kMerged = "01/02/2013\t1:15\tZZ\t9\tC\tmerged one\n"
                            "01/03/2013\t0:45\tZZ\t9\tC\tmerged two\n";

STask Task(const std::string & inLine) {
  return STask(F::eMDY, inLine.data(), static_cast<unsigned>(inLine.size()));
}

unsigned long Seconds(STime inTime) { return static_cast<unsigned long>(inTime); }

std::vector<std::uint32_t> Entries(const TVectorMap<STask> & inMap) {
  return std::vector<std::uint32_t>(inMap.begin(), inMap.end());
}

// A month-first document on its own file in a temporary folder, with a view's recorder
// and a recorder of document messages.
class DocumentFixture : public ::testing::Test {
protected:
  DocumentFixture() {
    mDocument.Data().SetDateFormat(F::eMDY);
    mDocument.AddListener(&mDocumentMessages);
    WriteFileBytes(mOwnPath, kOwn);
    WriteFileBytes(mMergePath, kMerged);
  }

  void LoadOwn() {
    mDocument.SetStream(FileStream(mOwnPath));
    mDocument.Load();
    Forget();
  }
  void Forget() {
    mDocumentMessages.mCodes.clear();
    mView.mMessages.clear();
  }
  STaskVector & Data() { return mDocument.Data().GetData(); }

  testsupport::ScopedTimeZone mZone{"America/New_York"};
  testsupport::ScopedSystemCallFaults mFaults;
  testsupport::TempDir mDir;
  const std::string mOwnPath = mDir.file("own.txt");
  const std::string mMergePath = mDir.file("merge.txt");
  TestDocument mDocument;
  DocumentRecorder mDocumentMessages;
  testsupport::MessageRecorder<STask> mView;
};

} // namespace

TEST_F(DocumentFixture, LoadingSendsOneInsertPerTaskAndEndsCleanWithOneDirtyMessage) {
  mDocument.SetStream(FileStream(mOwnPath));
  Data().AddListener(&mView);
  Forget();
  mDocument.Load();
  EXPECT_EQ(mView.mMessages, (std::vector<M>{M(M::eNotice, 0, 0), M(M::eDelete, 0, 0), M(M::eInsert, 0, 1),
                                             M(M::eInsert, 1, 2), M(M::eInsert, 2, 3)}));
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_TRUE(mDocument.IsBroadcasting());
  STaskDocumentData data = mDocument.Data();
  EXPECT_EQ(data.GetTotalCount(), 3u);
  EXPECT_EQ(Seconds(data.GetTotalDuration()), 3600u + 7200u + 1800u);
  EXPECT_EQ(Entries(data.GetVectorMap()), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(data.GetLineBreakFormat().GetFormat(), SLineBreakFormat::eDOS);
  EXPECT_FALSE(CanOpen(mOwnPath)); // held from now on

  // Loading again replaces the tasks: one eDirty for the change made meanwhile, one at the end.
  Data().push_back(Task("12/28/2012\t4:00"));
  EXPECT_TRUE(mDocument.IsDirty());
  Forget();
  mDocument.Load();
  EXPECT_EQ(mView.mMessages, (std::vector<M>{M(M::eNotice, 0, 4), M(M::eDelete, 0, 4), M(M::eInsert, 0, 1),
                                             M(M::eInsert, 1, 2), M(M::eInsert, 2, 3)}));
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_EQ(Seconds(data.GetTotalDuration()), 3600u + 7200u + 1800u);
}

TEST_F(DocumentFixture, EveryChangeOfTheTasksMarksTheDocumentDirty) {
  LoadOwn();
  STaskVectorMap & map = mDocument.Data().GetVectorMap();
  map.set(1, Task("12/26/2012\t2:30:00\tJD\t1\tA\ttwo, longer"));
  EXPECT_TRUE(mDocument.IsDirty());
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty}); // the notice sends nothing
  EXPECT_EQ(Seconds(Data().GetDuration()), 3600u + 9000u + 1800u);

  mDocument.SetDirtyStatus(false);
  Data().erase(0, 1);
  EXPECT_TRUE(mDocument.IsDirty());
  mDocument.SetDirtyStatus(false);
  Data().push_back(Task("12/28/2012\t1:00"));
  EXPECT_TRUE(mDocument.IsDirty());
  // Setting the state sends eDirty whether or not it changes.
  mDocument.SetDirtyStatus(true);
  mDocument.SetDirty();
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>(7, D::eDirty));

  // Saving ends clean.
  Forget();
  mDocument.Save();
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});

  Data().clear();
  EXPECT_EQ(Seconds(Data().GetDuration()), 0u);
  EXPECT_TRUE(Entries(map).empty());
  EXPECT_TRUE(mDocument.IsDirty());
}

TEST_F(DocumentFixture, MergingAppendsTheOtherFilesTasksAndEmptiesItOnlyWhenWanted) {
  for (bool clear : {false, true}) {
    WriteFileBytes(mMergePath, kMerged);
    mDocument.SetStream(FileStream(mOwnPath)); // lets go of the previous round's file
    mDocument.Load();
    Data().AddListener(&mView);
    Forget();
    mDocument.mClearMergeStream = clear;
    mDocument.mAskedAbout.clear();
    auto merge = FileStream(mMergePath);
    mDocument.Merge(merge.get());

    ASSERT_EQ(Data().size(), 5u);
    EXPECT_EQ(Data()[3], "01/02/2013\t1:15\tZZ\t9\tC\tmerged one");
    EXPECT_EQ(Data()[4], "01/03/2013\t0:45\tZZ\t9\tC\tmerged two");
    EXPECT_EQ(Data()[3].GetDateFormat(), F()); // a stream without a document uses the user's order
    EXPECT_EQ(mView.mMessages, (std::vector<M>{M(M::eInsert, 3, 4), M(M::eInsert, 4, 5)}));
    EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
    EXPECT_TRUE(mDocument.IsDirty());
    EXPECT_EQ(mDocument.mAskedAbout, std::vector<STaskStream *>{merge.get()});
    EXPECT_EQ(Seconds(Data().GetDuration()), 3600u + 7200u + 1800u + 4500u + 2700u);
    EXPECT_EQ(Entries(mDocument.Data().GetVectorMap()), (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
    // The merge stream keeps the merged file until its owner destroys it.
    EXPECT_FALSE(CanOpen(mMergePath));
    merge.reset();
    EXPECT_TRUE(CanOpen(mMergePath));
    EXPECT_EQ(ReadFileBytes(mMergePath), clear ? "" : kMerged);
    EXPECT_EQ(NamesIn(mDir.path()), (std::vector<std::string>{"merge.txt", "own.txt"}));
    EXPECT_FALSE(CanOpen(mOwnPath));
    Data().RemoveListener(&mView);
  }
  EXPECT_EQ(FileFailure([&] { mDocument.Merge(nullptr); }), "No file or stream has been specified for this merge");
}

TEST_F(DocumentFixture, AMergeThatFailsLeavesTheDocumentAsItWasAndLetsGoOfTheFile) {
  using S = SSystemCalls;
  LoadOwn();
  for (bool dirtyBefore : {false, true}) {
    mDocument.SetDirtyStatus(dirtyBefore);
    Forget();
    // The read fails.
    auto merge = FileStream(mMergePath);
    S::FailNth(S::eRead, 1, EIO);
    EXPECT_EQ(FileFailure([&] { mDocument.Merge(merge.get()); }), "The contents of a file could not be read");
    EXPECT_EQ(mDocument.IsDirty(), dirtyBefore);
    EXPECT_TRUE(mDocumentMessages.mCodes.empty());
    EXPECT_TRUE(mDocument.IsBroadcasting());
    EXPECT_TRUE(CanOpen(mMergePath));
    EXPECT_FALSE(merge->IsConnected());
    EXPECT_EQ(Data().size(), 3u);
    EXPECT_TRUE(mDocument.mAskedAbout.empty());

    // Someone else holds the merged file.
    {
      SFile holder{SFileSpec(mMergePath)};
      holder.Open(SFile::eReadWrite);
      EXPECT_EQ(FileFailure([&] { mDocument.Merge(merge.get()); }), "A file could not be opened");
    }
    EXPECT_EQ(mDocument.IsDirty(), dirtyBefore);
    EXPECT_EQ(Data().size(), 3u);
    EXPECT_TRUE(mDocument.IsBroadcasting());
  }

  // Emptying the merged file fails: the file is kept whole and let go; the tasks read stay,
  // and the document, changed by them, says so.
  mDocument.SetDirtyStatus(false);
  mDocument.mClearMergeStream = true;
  for (S::EOperation operation : {S::eRename, S::eFsync, S::eFtruncate}) {
    Forget();
    auto merge = FileStream(mMergePath);
    S::FailNth(operation, 1, EIO);
    EXPECT_NE(FileFailure([&] { mDocument.Merge(merge.get()); }), "<no failure>");
    S::Reset();
    EXPECT_EQ(ReadFileBytes(mMergePath), kMerged);
    EXPECT_EQ(NamesIn(mDir.path()), (std::vector<std::string>{"merge.txt", "own.txt"}));
    EXPECT_TRUE(CanOpen(mMergePath));
    EXPECT_TRUE(mDocument.IsBroadcasting());
    EXPECT_TRUE(mDocument.IsDirty());
    EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
    EXPECT_EQ(Data().size(), 5u);
    Data().erase(3, 5);
    mDocument.SetDirtyStatus(false);
  }
  EXPECT_FALSE(CanOpen(mOwnPath));
}

