// The task document: message traffic of loading, dirty tracking, totals and maps, merging
// with and without emptying the merged file, every failure path, streams, read-only
// documents, saving under a new name.
#include "core/DateTestHelpers.h"
#include "core/vectors/MessageRecorder.h"
#include "core/tasks/DocumentTestHelpers.h"
#include "documents/SDocumentException.h"
#include "files/SSystemCalls.h"
#include "tasks/STaskVectorMap.h"

#include "support/SystemCallFaults.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using doctest::CanOpen;
using doctest::DocumentRecorder;
using doctest::Failure;
using doctest::FileStream;
using doctest::NamesIn;
using doctest::TestDocument;
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

unsigned long SumOfDurations(const STaskVector & inVector) {
  unsigned long sum = 0;
  for (const STask & task : inVector)
    sum += Seconds(task.GetDuration());
  return sum;
}

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

TEST_F(DocumentFixture, LoadingWithoutAStreamDoesNothing) {
  Data().AddListener(&mView);
  mDocument.Load();
  EXPECT_TRUE(mView.mMessages.empty());
  EXPECT_TRUE(mDocumentMessages.mCodes.empty());
  EXPECT_FALSE(mDocument.IsDirty());
  mDocument.Connect(); // nothing to connect either
  mDocument.Disconnect();
}

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
  EXPECT_EQ(ReadFileBytes(mOwnPath), "12/26/2012\t2:30:00\tJD\t1\tA\ttwo, longer\r\n"
                                     "12/27/2012\t0:30\tmk\t2\tB\tthree\r\n"
                                     "12/28/2012\t1:00\t\t\t\t\r\n");

  Data().clear();
  EXPECT_EQ(Seconds(Data().GetDuration()), 0u);
  EXPECT_TRUE(Entries(map).empty());
  EXPECT_TRUE(mDocument.IsDirty());
}

TEST_F(DocumentFixture, MapsFollowDeletesAndInsertsInTheMiddle) {
  WriteFileBytes(mOwnPath, "01/01/2012\t1:00\ta\n01/02/2012\t2:00\tb\n01/03/2012\t3:00\tc\n"
                           "01/04/2012\t4:00\td\n01/05/2012\t5:00\te\n");
  LoadOwn();
  STaskVectorMap view(Data());
  std::reverse(view.begin(), view.end()); // a view sorted its own way
  Data().erase(1, 3);
  EXPECT_EQ(Entries(mDocument.Data().GetVectorMap()), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(Entries(view), (std::vector<std::uint32_t>{2, 1, 0}));
  EXPECT_EQ(Seconds(Data().GetDuration()), 3600u * (1 + 4 + 5));
  EXPECT_TRUE(mDocument.IsDirty());

  Data().insert(1, Task("01/09/2012\t9:00\tz"));
  EXPECT_EQ(Entries(mDocument.Data().GetVectorMap()), (std::vector<std::uint32_t>{0, 2, 3, 1}));
  EXPECT_EQ(Entries(view), (std::vector<std::uint32_t>{3, 2, 0, 1}));
  EXPECT_EQ(view.get(0u), Data()[3]);
  EXPECT_EQ(Seconds(Data().GetDuration()), SumOfDurations(Data()));

  // The file is written in the document map's order: every task exactly once.
  mDocument.Save();
  EXPECT_EQ(ReadFileBytes(mOwnPath), "01/01/2012\t1:00\ta\t\t\t\n01/04/2012\t4:00\td\t\t\t\n"
                                     "01/05/2012\t5:00\te\t\t\t\n01/09/2012\t9:00\tz\t\t\t\n");
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
  EXPECT_EQ(Failure([&] { mDocument.Merge(nullptr); }), "No file or stream has been specified for this merge");
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
    EXPECT_EQ(Failure([&] { mDocument.Merge(merge.get()); }), "The contents of a file could not be read");
    EXPECT_EQ(mDocument.IsDirty(), dirtyBefore);
    EXPECT_TRUE(mDocumentMessages.mCodes.empty());
    EXPECT_TRUE(mDocument.IsBroadcasting());
    EXPECT_TRUE(CanOpen(mMergePath));
    EXPECT_FALSE(merge->IsConnected());
    EXPECT_EQ(Data().size(), 3u);
    EXPECT_TRUE(mDocument.mAskedAbout.empty());

    // Someone else holds the merged file.
    {
      doctest::HeldByChild holder(mMergePath);
      ASSERT_TRUE(holder.IsHolding());
      EXPECT_EQ(Failure([&] { mDocument.Merge(merge.get()); }), "A file could not be opened");
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
    EXPECT_NE(Failure([&] { mDocument.Merge(merge.get()); }), "<no failure>");
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

TEST_F(DocumentFixture, ALoadThatFailsEndsCleanAndBroadcastingAndKeepsWhatWasRead) {
  using S = SSystemCalls;
  mDocument.SetStream(FileStream(mOwnPath));
  S::FailNth(S::eRead, 1, EIO);
  Data().push_back(Task("12/28/2012\t1:00"));
  Forget();
  EXPECT_EQ(Failure([&] { mDocument.Load(); }), "The contents of a file could not be read");
  EXPECT_TRUE(mDocument.IsBroadcasting());
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
  EXPECT_EQ(Data().size(), 0u); // loading starts by emptying the document
  EXPECT_FALSE(CanOpen(mOwnPath)); // the stream was not let go

  // A view that fails on the third task: the three tasks appended stay.
  mDocument.Data().SetIsReadOnly(true);
  Data().AddListener(&mView);
  mView.mHook = [](const M & inMessage) {
    if (inMessage.code() == M::eInsert && inMessage.begin_index() == 2)
      throw std::runtime_error("view failed");
  };
  Forget();
  EXPECT_EQ(Failure([&] { mDocument.Load(); }), "view failed");
  EXPECT_EQ(Data().size(), 3u);
  EXPECT_EQ(Entries(mDocument.Data().GetVectorMap()), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(Seconds(Data().GetDuration()), SumOfDurations(Data()));
  EXPECT_TRUE(mDocument.IsBroadcasting());
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
  EXPECT_FALSE(CanOpen(mOwnPath)); // failing before the read-only release, it keeps the file
  mView.mHook = nullptr;
  mDocument.Load();
  EXPECT_TRUE(CanOpen(mOwnPath));
}

namespace {

// A stream that reports itself open, as a stream in the middle of a transfer would.
class OpenStream : public STaskFileStream {
public:
  using STaskFileStream::STaskFileStream;
  void SetOpen(bool inOpen) { mOpen = inOpen; }
};

} // namespace

TEST_F(DocumentFixture, StreamsAreInstalledOwnedAndReplaced) {
  EXPECT_EQ(Failure([&] { mDocument.SetStream(nullptr); }), "No file or stream has been specified for this document");
  EXPECT_EQ(mDocument.GetStream(), nullptr);
  EXPECT_EQ(Failure([&] { mDocument.Save(); }), "No file or stream has been specified for this document");

  auto first = FileStream(mOwnPath);
  STaskStream * const firstPointer = first.get();
  mDocument.SetStream(std::move(first));
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eStream});
  EXPECT_EQ(firstPointer->GetDocument(), &mDocument);
  EXPECT_EQ(mDocument.Data().GetStream(), firstPointer);
  mDocument.Load();
  EXPECT_FALSE(CanOpen(mOwnPath));

  Forget();
  EXPECT_EQ(Failure([&] { mDocument.SetStream(nullptr); }), "No file or stream has been specified for this document");
  EXPECT_EQ(mDocument.GetStream(), firstPointer);
  EXPECT_TRUE(mDocumentMessages.mCodes.empty());
  EXPECT_FALSE(CanOpen(mOwnPath));

  // Replacing the stream destroys the old one, which lets go of its file.
  auto open = std::make_unique<OpenStream>(STaskFileStreamSettings(SFileSpec(mMergePath)), F::eMDY);
  OpenStream * const openPointer = open.get();
  mDocument.SetStream(std::move(open));
  EXPECT_TRUE(CanOpen(mOwnPath));
  EXPECT_EQ(mDocument.Data().GetStream(), openPointer);
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eStream});
  EXPECT_EQ(openPointer->Settings().Spec(), mMergePath);

  // An open stream cannot be replaced.
  openPointer->SetOpen(true);
  EXPECT_EQ(Failure([&] { mDocument.SetStream(FileStream(mOwnPath)); }),
            "A file could not be changed because it is in use");
  EXPECT_EQ(mDocument.GetStream(), openPointer);
  openPointer->SetOpen(false);
}

TEST_F(DocumentFixture, AReadOnlyDocumentLetsGoOfItsFileAfterLoading) {
  STaskDocumentData data = mDocument.Data();
  data.SetIsReadOnly(true);
  mDocument.SetStream(FileStream(mOwnPath));
  mDocument.Load();
  EXPECT_EQ(data.GetTotalCount(), 3u);
  EXPECT_TRUE(CanOpen(mOwnPath));
  EXPECT_FALSE(mDocument.GetStream()->IsConnected());
  // Saving it does not take the file back.
  Data().erase(0, 1);
  mDocument.Save();
  EXPECT_EQ(ReadFileBytes(mOwnPath), kOwn.substr(kOwn.find('\n') + 1));
  EXPECT_TRUE(CanOpen(mOwnPath));
  EXPECT_EQ(NamesIn(mDir.path()), (std::vector<std::string>{"merge.txt", "own.txt"}));
  // Nor under a new name; the new file gets the permissions new files get.
  mDocument.SaveAs(SFileSpec(mDir.file("copy.txt")));
  EXPECT_TRUE(CanOpen(mDir.file("copy.txt")));
  EXPECT_EQ(ReadFileBytes(mDir.file("copy.txt")), kOwn.substr(kOwn.find('\n') + 1));
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(static_cast<mode_t>(std::filesystem::status(mDir.file("copy.txt")).permissions()), 0666 & ~mask);
  mDocument.SetStream(FileStream(mOwnPath));
  data.SetIsReadOnly(false);
  mDocument.Load();
  EXPECT_EQ(data.GetTotalCount(), 2u);
  EXPECT_FALSE(CanOpen(mOwnPath));
  EXPECT_TRUE(mDocument.GetStream()->IsConnected());

  // The handle's setters change the document silently.
  Forget();
  data.SetLineBreakFormat(SLineBreakFormat::eMac);
  data.SetDateFormat(F::eYMD);
  EXPECT_EQ(mDocument.GetLineBreakFormat().GetFormat(), SLineBreakFormat::eMac);
  EXPECT_EQ(mDocument.GetDateFormat(), F::eYMD);
  EXPECT_TRUE(mDocumentMessages.mCodes.empty());
  EXPECT_FALSE(data.GetIsDirty());
  EXPECT_EQ(data.GetDocument(), &mDocument);
}

TEST_F(DocumentFixture, SavingUnderANewNameMovesTheDocumentToTheNewFile) {
  LoadOwn();
  mDocument.Data().SetDateFormat(F::eDMY); // tasks added from now on are day first
  Data().push_back(STask(F::eDMY, "31/12/2012\t1:00", 15));
  const std::string copyPath = mDir.file("copy.txt");
  Forget();
  mDocument.SaveAs(SFileSpec(copyPath));
  EXPECT_EQ(mDocumentMessages.mCodes, (std::vector<D::ECode>{D::eStream, D::eDirty}));
  EXPECT_FALSE(mDocument.IsDirty());
  EXPECT_EQ(ReadFileBytes(copyPath), kOwn + "12/31/2012\t1:00\t\t\t\t\r\n"); // written month first
  EXPECT_EQ(ReadFileBytes(mOwnPath), kOwn);
  EXPECT_TRUE(CanOpen(mOwnPath));
  EXPECT_FALSE(CanOpen(copyPath));
  const auto * stream = dynamic_cast<const STaskFileStream *>(mDocument.GetStream());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->Settings().Spec(), copyPath);

  // Under the name it already has: a plain save.
  Data().erase(0, 1);
  Forget();
  mDocument.SaveAs(SFileSpec(copyPath));
  EXPECT_EQ(mDocumentMessages.mCodes, std::vector<D::ECode>{D::eDirty});
  EXPECT_EQ(ReadFileBytes(copyPath), kOwn.substr(kOwn.find('\n') + 1) + "12/31/2012\t1:00\t\t\t\t\r\n");

  // Failures leave the document on its file, unchanged, and leave no file behind.
  Data().erase(0, 1);
  Forget();
  EXPECT_EQ(Failure([&] { mDocument.SaveAs(SFileSpec(mDir.file("missing/x.txt"))); }), "A File could not be created");
  {
    doctest::HeldByChild holder(mMergePath);
    ASSERT_TRUE(holder.IsHolding());
    EXPECT_EQ(Failure([&] { mDocument.SaveAs(SFileSpec(mMergePath)); }), "A file could not be opened");
  }
  SSystemCalls::FailNth(SSystemCalls::eWrite, 1, ENOSPC);
  EXPECT_EQ(Failure([&] { mDocument.SaveAs(SFileSpec(mDir.file("new.txt"))); }),
            "The contents of a file could not be Written");
  EXPECT_EQ(ReadFileBytes(mMergePath), kMerged);
  EXPECT_EQ(NamesIn(mDir.path()), (std::vector<std::string>{"copy.txt", "merge.txt", "own.txt"}));
  EXPECT_TRUE(mDocument.IsDirty());
  EXPECT_TRUE(mDocumentMessages.mCodes.empty());
  EXPECT_EQ(dynamic_cast<const STaskFileStream *>(mDocument.GetStream()), stream);
  EXPECT_FALSE(CanOpen(copyPath));
}

TEST_F(DocumentFixture, DestroyingTheDocumentLetsGoOfTheFileAndEmptiesTheViews) {
  auto document = std::make_unique<TestDocument>();
  document->SetStream(FileStream(mOwnPath));
  document->Load();
  testsupport::MessageRecorder<STask> view;
  document->Data().GetData().AddListener(&view);
  DocumentRecorder messages;
  document->AddListener(&messages);
  document.reset();
  EXPECT_EQ(view.mMessages, (std::vector<M>{M(M::eNotice, 0, 3), M(M::eDelete, 0, 3)}));
  EXPECT_TRUE(messages.mCodes.empty());
  EXPECT_TRUE(CanOpen(mOwnPath));
}
