#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/atomic_file.h"
#include "platform/save_transaction.h"
#include "support/file_size_limit.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// Runs body as a user without privileges: as it is when the tests do not run as root, else in a
// child process that gives root up first, since root may write where others may not.
bool AsUnprivilegedUser(const std::function<bool()>& body) {
  if (geteuid() != 0) return body();
  const pid_t child = fork();
  if (child == 0) {
    const bool dropped = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
    _exit(dropped && body() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Save(const std::string& path, const std::string& bytes) {
  AtomicFileWriter file(path);
  file.Write(bytes);
  return file.Commit();
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override { chmod(dir_.c_str(), 0755); }  // reachable by the unprivileged user

  std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }
  std::string Make(const std::string& name, const std::string& bytes, mode_t mode = 0644) const {
    const std::string path = PathOf(name);
    std::ofstream(path, std::ios::binary) << bytes;
    chmod(path.c_str(), mode);
    return path;
  }
  static std::string Read(const std::string& path) { return ReadFile(path); }
  static struct stat Stat(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info;
  }
  static int Entries(const fs::path& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), {}));
  }

  TemporaryFolder folder_;
  const fs::path& dir_ = folder_.Path();
};

TEST_F(AtomicFileTest, ReplacesAFileWholeWithItsModeAndLeavesNothingBehind) {
  const std::string secret = Make("secret.csv", "old", 0600);
  ASSERT_TRUE(Save(secret, "new content"));
  EXPECT_EQ(Read(secret), "new content");
  EXPECT_EQ(Stat(secret).st_mode & 07777, 0600u);  // not readable by everyone afterwards

  const mode_t mask = umask(022);
  ASSERT_TRUE(Save(PathOf("fresh.csv"), "x"));
  umask(mask);
  EXPECT_EQ(Stat(PathOf("fresh.csv")).st_mode & 07777, 0644u);

  // A name of 250 characters and ".csv" is as long as a name may be; the temporary is not longer.
  const std::string longest = PathOf(std::string(250, 'x') + ".csv");
  std::string cyrillic_name;  // 250 bytes: the temporary's name must not cut a letter in two
  for (int i = 0; i < 125; ++i) cyrillic_name += "ж";
  const std::string cyrillic = PathOf(cyrillic_name + ".csv");
  for (const std::string& path : {longest, cyrillic}) {
    ASSERT_TRUE(Save(path, "long")) << path.size();
    EXPECT_EQ(Read(path), "long");
    ASSERT_TRUE(Save(path, "longer")) << path.size();
    EXPECT_EQ(Read(path), "longer");
  }
  EXPECT_EQ(Entries(dir_), 4);
}

TEST_F(AtomicFileTest, AReadOnlyFileIsRefusedAndNothingIsWritten) {
  const std::string path = Make("kept.tbl", "old", 0444);
  ASSERT_EQ(symlink("kept.tbl", PathOf("link.tbl").c_str()), 0);
  for (const std::string& name : {path, PathOf("link.tbl")}) {
    AtomicFileWriter file(name);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.IsReadOnlyTarget());
    EXPECT_EQ(file.Error(), EACCES);
    file.Write("new");
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.FailureMessage("Не удаётся создать файл"),
              "Не удаётся создать файл\n" + name + "\nФайл доступен только для чтения");
  }
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Stat(path).st_mode & 07777, 0444u);
  EXPECT_EQ(Entries(dir_), 2);
}

TEST_F(AtomicFileTest, WritesThroughSymbolicLinksToTheirFile) {
  fs::create_directory(PathOf("data"));
  const std::string target = Make("data/target.csv", "old", 0640);
  ASSERT_EQ(symlink("data/target.csv", PathOf("near").c_str()), 0);  // relative to the link's folder
  ASSERT_EQ(symlink(PathOf("near").c_str(), PathOf("far").c_str()), 0);
  ASSERT_TRUE(Save(PathOf("far"), "through two links"));
  EXPECT_EQ(Read(target), "through two links");
  EXPECT_EQ(Stat(target).st_mode & 07777, 0640u);
  EXPECT_TRUE(S_ISLNK(Stat(PathOf("near")).st_mode));
  EXPECT_TRUE(S_ISLNK(Stat(PathOf("far")).st_mode));

  // A link to a file not made yet makes the file, not a file in the link's place.
  ASSERT_EQ(symlink("data/later.csv", PathOf("dangling").c_str()), 0);
  ASSERT_TRUE(Save(PathOf("dangling"), "made"));
  EXPECT_TRUE(S_ISLNK(Stat(PathOf("dangling")).st_mode));
  EXPECT_EQ(Read(PathOf("data/later.csv")), "made");

  ASSERT_EQ(symlink("loop", PathOf("loop").c_str()), 0);
  AtomicFileWriter loop(PathOf("loop"));
  EXPECT_FALSE(loop.IsOpen());
  EXPECT_EQ(loop.Error(), ELOOP);
  EXPECT_EQ(Entries(PathOf("data")), 2);
}

TEST_F(AtomicFileTest, HardLinksStayOneFile) {
  const std::string first = Make("first.csv", "old old old");
  ASSERT_EQ(link(first.c_str(), PathOf("second.csv").c_str()), 0);
  const ino_t inode = Stat(first).st_ino;
  ASSERT_TRUE(Save(first, "new"));
  EXPECT_EQ(Read(PathOf("second.csv")), "new");  // shorter than before: the old tail is gone
  EXPECT_EQ(Stat(first).st_ino, inode);
  EXPECT_EQ(Stat(first).st_nlink, 2u);
  EXPECT_EQ(Entries(dir_), 2);
}

TEST_F(AtomicFileTest, AFolderThatTakesNoNewFilesStillLetsItsFileBeSaved) {
  fs::create_directory(PathOf("closed"));
  const std::string path = Make("closed/data.csv", "old", 0666);
  const ino_t inode = Stat(path).st_ino;
  chmod(PathOf("closed").c_str(), 0555);
  EXPECT_TRUE(AsUnprivilegedUser([&] { return Save(path, "new content"); }));
  EXPECT_EQ(Read(path), "new content");
  EXPECT_EQ(Stat(path).st_ino, inode);
  EXPECT_EQ(Entries(PathOf("closed")), 1);

  // A new file there cannot be made, and the reason says so.
  EXPECT_TRUE(AsUnprivilegedUser([&] {
    AtomicFileWriter file(PathOf("closed/new.csv"));
    return !file.IsOpen() && file.Error() == EACCES &&
           file.FailureMessage("Не удаётся создать файл") ==
               "Не удаётся создать файл\n" + PathOf("closed/new.csv") + "\nДоступ запрещён";
  }));
}

TEST_F(AtomicFileTest, TheOwnerIsKeptOrTheFileIsRewrittenInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of another owner";
  // Root gives the replacement the file's owner.
  const std::string theirs = Make("theirs.csv", "old", 0640);
  ASSERT_EQ(chown(theirs.c_str(), kNobody, kNobody), 0);
  ASSERT_TRUE(Save(theirs, "new"));
  EXPECT_EQ(Stat(theirs).st_uid, kNobody);
  EXPECT_EQ(Stat(theirs).st_gid, kNobody);
  EXPECT_EQ(Stat(theirs).st_mode & 07777, 0640u);

  // Another user may write root's file but cannot give a new one to root: the same file is rewritten.
  chmod(dir_.c_str(), 0777);
  const std::string roots = Make("roots.csv", "old", 0666);
  const ino_t inode = Stat(roots).st_ino;
  EXPECT_TRUE(AsUnprivilegedUser([&] { return Save(roots, "written by nobody"); }));
  EXPECT_EQ(Read(roots), "written by nobody");
  EXPECT_EQ(Stat(roots).st_uid, 0u);
  EXPECT_EQ(Stat(roots).st_ino, inode);
  EXPECT_EQ(Entries(dir_), 2);
}

TEST_F(AtomicFileTest, DevicesPipesAndOwnDescriptorsAreWrittenDirectly) {
  const std::string fifo = PathOf("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_TRUE(Save(fifo, "through the pipe"));
  char got[64] = {};
  EXPECT_EQ(read(reader, got, sizeof got), 16);
  EXPECT_STREQ(got, "through the pipe");
  close(reader);
  EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));

  // A descriptor this process holds (as /dev/stdout is) is written where it stands: appended.
  const std::string log = Make("log.txt", "");
  const int fd = open(log.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "head\n", 5), 5);
  const std::string own = "/proc/self/fd/" + std::to_string(fd);
  ASSERT_EQ(symlink(own.c_str(), PathOf("stdout").c_str()), 0);
  ASSERT_TRUE(Save(PathOf("stdout"), "tail\n"));
  ASSERT_TRUE(Save("/dev/fd/" + std::to_string(fd), "end\n"));
  close(fd);
  EXPECT_EQ(Read(log), "head\ntail\nend\n");
  EXPECT_TRUE(S_ISLNK(Stat(PathOf("stdout")).st_mode));

  // A full device says so. Root writes to a copy of it here, so that no mistake can touch /dev.
  std::string full = "/dev/full";
  if (geteuid() == 0) {
    full = PathOf("full");
    if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) return;
  }
  AtomicFileWriter device(full);
  ASSERT_TRUE(device.IsOpen());
  device.Write("anything");
  EXPECT_FALSE(device.Commit());
  EXPECT_EQ(device.Error(), ENOSPC);
  EXPECT_TRUE(S_ISCHR(Stat(full).st_mode));
}

TEST_F(AtomicFileTest, AFullDiskKeepsTheOldFile) {
  const std::string single = Make("single.tbl", "old content");
  const std::string linked = Make("linked.tbl", "linked content");
  ASSERT_EQ(link(linked.c_str(), PathOf("other.tbl").c_str()), 0);
  const std::string large(4000, 'n');

  AtomicFileWriter replaced(single), in_place(linked);
  replaced.Write(large);
  in_place.Write(large);
  {
    const FileSizeLimit full_disk(1024);
    ASSERT_TRUE(full_disk.IsApplied());
    EXPECT_FALSE(replaced.Commit());
    EXPECT_FALSE(in_place.Commit());
  }
  EXPECT_EQ(replaced.Error(), EFBIG);
  EXPECT_EQ(in_place.Error(), EFBIG);
  EXPECT_EQ(replaced.FailureMessage("Не удаётся создать файл"),
            "Не удаётся создать файл\n" + single + "\nФайл слишком велик");
  EXPECT_EQ(Read(single), "old content");
  EXPECT_EQ(Read(linked), "linked content");
  EXPECT_EQ(Entries(dir_), 3);
}

// The hidden files beside the targets whose names end in ".old": the old contents kept.
std::vector<std::string> KeptContents(const fs::path& folder) {
  std::vector<std::string> kept;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".old") kept.push_back(ReadFile(entry.path()));
  return kept;
}

TEST_F(AtomicFileTest, AStagedFileIsUntouchedUntilCommittedAndItsOldContentIsKeptOnDisk) {
  const std::string single = Make("single.csv", "old single");
  const std::string linked = Make("linked.csv", "old linked");
  ASSERT_EQ(link(linked.c_str(), PathOf("other.csv").c_str()), 0);
  {
    AtomicFileWriter replaced(single), in_place(linked);
    replaced.Write("new");
    in_place.Write("new");
    ASSERT_TRUE(replaced.Stage());
    ASSERT_TRUE(in_place.Stage());
    EXPECT_EQ(replaced.Method(), SaveMethod::kReplace);
    EXPECT_EQ(in_place.Method(), SaveMethod::kInPlace);
    EXPECT_EQ(Read(single), "old single");
    EXPECT_EQ(Read(linked), "old linked");
    // Until the new content is in place and synced, a crash (kill -9 in the middle of a rewrite
    // in place) cannot take the old content along: it is on disk beside each file.
    std::vector<std::string> kept = KeptContents(dir_);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{"old linked", "old single"}));
    EXPECT_EQ(Stat(single).st_nlink, 2u);  // kept as a second name of the file itself
  }                                        // never committed
  EXPECT_EQ(Read(single), "old single");
  EXPECT_EQ(Read(linked), "old linked");
  EXPECT_EQ(Entries(dir_), 3);

  // Installed, the new content can still be taken back; finished, the old is let go.
  AtomicFileWriter replaced(single), in_place(linked);
  replaced.Write("new single");
  in_place.Write("new linked");
  ASSERT_TRUE(replaced.Install());
  ASSERT_TRUE(in_place.Install());
  EXPECT_EQ(Read(single), "new single");
  EXPECT_EQ(Read(PathOf("other.csv")), "new linked");
  ASSERT_TRUE(replaced.Revert());
  ASSERT_TRUE(in_place.Revert());
  EXPECT_EQ(Read(single), "old single");
  EXPECT_EQ(Read(PathOf("other.csv")), "old linked");
  EXPECT_EQ(Stat(single).st_nlink, 1u);
  EXPECT_EQ(Entries(dir_), 3);
}

// Runs a command of the shell; whether it succeeded.
bool Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

std::optional<std::string> Attribute(const std::string& path, const char* name) {
  char value[256];
  const ssize_t size = getxattr(path.c_str(), name, value, sizeof value);
  if (size < 0) return std::nullopt;
  return std::string(value, static_cast<std::size_t>(size));
}

TEST_F(AtomicFileTest, AccessListsAndExtendedAttributesAreKept) {
  const std::string shared = Make("shared.csv", "old", 0640);
  // The owning group loses access, nobody gains read and write; the mode's group bits are the mask.
  if (!Shell("setfacl -m g::---,u:65534:rw-,m::rw- '" + shared + "'"))
    GTEST_SKIP() << "setfacl is missing, or this file system keeps no access lists";
  const std::optional<std::string> acl = Attribute(shared, "system.posix_acl_access");
  ASSERT_TRUE(acl);
  const bool user_attributes = setxattr(shared.c_str(), "user.velmar.note", "kept", 4, 0) == 0;
  ASSERT_TRUE(Save(shared, "new"));
  EXPECT_EQ(Read(shared), "new");
  EXPECT_EQ(Attribute(shared, "system.posix_acl_access"), acl);
  EXPECT_EQ(Stat(shared).st_mode & 07777, 0660u);
  if (user_attributes) {
    EXPECT_EQ(Attribute(shared, "user.velmar.note"), "kept");
  }
  EXPECT_EQ(Entries(dir_), 1);

  // A folder's default list would let nobody into a new file; the replacement of a file without
  // a list gets none either.
  fs::create_directory(PathOf("inherits"));
  const std::string plain = Make("inherits/plain.csv", "old", 0600);
  ASSERT_TRUE(Shell("setfacl -d -m u:65534:rw- '" + PathOf("inherits") + "'"));
  ASSERT_TRUE(Save(plain, "new"));
  EXPECT_EQ(Read(plain), "new");
  EXPECT_FALSE(Attribute(plain, "system.posix_acl_access"));
  EXPECT_EQ(Stat(plain).st_mode & 07777, 0600u);
}

TEST_F(AtomicFileTest, AnotherUsersLinkInASharedStickyFolderIsNotFollowed) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to plant a link of another user";
  const std::string victim = Make("victim.txt", "precious", 0644);
  fs::create_directory(PathOf("shared"));
  chmod(PathOf("shared").c_str(), 01777);
  const std::string planted = PathOf("shared/report.csv");
  ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
  ASSERT_EQ(lchown(planted.c_str(), kNobody, kNobody), 0);
  AtomicFileWriter file(planted);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(file.IsForeignLink());
  file.Write("overwritten");
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.FailureMessage("Не удаётся создать файл"), "Не удаётся создать файл\n" + planted +
                                                                "\nСимволическая ссылка в общей папке принадлежит "
                                                                "другому пользователю: запись по ней запрещена");
  EXPECT_EQ(Read(victim), "precious");

  // The caller's own link, or the folder owner's, is followed as before.
  ASSERT_EQ(lchown(planted.c_str(), 0, 0), 0);
  ASSERT_TRUE(Save(planted, "own link"));
  EXPECT_EQ(Read(victim), "own link");
  ASSERT_EQ(lchown(planted.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(chown(PathOf("shared").c_str(), kNobody, kNobody), 0);
  ASSERT_TRUE(Save(planted, "owner's link"));
  EXPECT_EQ(Read(victim), "owner's link");
}

TEST_F(AtomicFileTest, SeveralFilesAreSavedAllOrNone) {
  const std::string single = Make("single.csv", "old single");
  const std::string linked = Make("linked.csv", "old linked");
  ASSERT_EQ(link(linked.c_str(), PathOf("other.csv").c_str()), 0);
  const std::string blocked = Make("blocked.csv", "old blocked");
  const std::string pictures = PathOf("new/pictures");
  const auto add_all = [&](SaveTransaction& files) {
    files.Add(single, "new single");
    files.Add(linked, "new linked");
    files.Add(PathOf("fresh.csv"), "fresh");
    files.AddToFolder(pictures, "a.bmp", "picture a");
    files.AddToFolder(pictures, "b.bmp", "picture b");
    files.Add(blocked, "new blocked");
  };
  const auto unchanged = [&] {
    EXPECT_EQ(Read(single), "old single");
    EXPECT_EQ(Read(PathOf("other.csv")), "old linked");
    EXPECT_FALSE(fs::exists(PathOf("fresh.csv")));
    EXPECT_FALSE(fs::exists(PathOf("new")));
    EXPECT_EQ(Entries(dir_), 4);
  };
  {
    // The last name turns into a folder once everything is staged: its rename fails after the
    // others have taken their places, and they give them back.
    SaveTransaction files;
    add_all(files);
    ASSERT_TRUE(files.Stage());
    ASSERT_EQ(unlink(blocked.c_str()), 0);
    ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    EXPECT_FALSE(files.Commit());
    EXPECT_EQ(files.Failure().path, blocked);
    EXPECT_EQ(files.Failure().error, EISDIR);
    EXPECT_TRUE(files.Failure().not_undone.empty());
    unchanged();
  }
  ASSERT_EQ(rmdir(blocked.c_str()), 0);
  Make("blocked.csv", "old blocked");
  {
    // A stop asked for once even the new folder is in place takes everything back.
    SaveTransaction files([&] { return fs::exists(pictures); });
    add_all(files);
    EXPECT_FALSE(files.Commit());
    EXPECT_TRUE(files.Failure().stopped);
    unchanged();
  }
  {
    SaveTransaction files;
    add_all(files);
    ASSERT_TRUE(files.Commit());
  }
  EXPECT_EQ(Read(single), "new single");
  EXPECT_EQ(Read(PathOf("other.csv")), "new linked");
  EXPECT_EQ(Read(blocked), "new blocked");
  EXPECT_EQ(Read(PathOf("fresh.csv")), "fresh");
  EXPECT_EQ(Read(pictures + "/b.bmp"), "picture b");
  EXPECT_EQ(Entries(dir_), 6);
  EXPECT_EQ(Entries(PathOf("new")), 1);
  EXPECT_EQ(Entries(pictures), 2);
}

}  // namespace
