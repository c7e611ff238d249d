#include "patient/PatientStore.h"
#include "patient/RtfReader.h"
#include "patient/RtfWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiravel {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> folderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PatientNames, FromFileName)
{
    struct Case {
        const char* file;
        const char* name;
    };
    for (const Case& c : {Case {"dupont-2.rtf", "dupont"}, Case {"ab.rtf", "ab"}, Case {"abc.", "nouveau"},
             Case {"a.rt", "nouveau"}, Case {"martin.RTF", "martin"}, Case {"sans_point", "sans_point"},
             Case {"-x.rtf", ""}}) {
        EXPECT_EQ(patientNameFromFileName(c.file, "nouveau"), c.name) << c.file;
    }
    EXPECT_STREQ(defaultPatientName(Language::English), "new");
    EXPECT_STREQ(defaultPatientName(Language::Spanish), "nuevo");
    EXPECT_EQ(withExtension("dupont.rtf", ".RTF"), "dupont.RTF");
    EXPECT_EQ(withExtension("dupont", ".RTF"), "dupont.RTF");
    EXPECT_EQ(withExtension("m.dupont.txt", ".RTF"), "m.dupont.RTF");
}

TEST(PatientNames, NamesLeavingTheDataFolderAreRefused)
{
    struct Case {
        const char* typed;
        bool refused;
    };
    for (const Case& c : {Case {"dupont", false}, Case {"Dupont Marie-2", false}, Case {"élodie", false},
             Case {"../dupont", true}, Case {"..", true}, Case {"a..b", true}, Case {"mes patients/dupont", true},
             Case {"/etc/passwd", true}, Case {"C:\\fiche", true}, Case {"sub\\x", true}}) {
        EXPECT_EQ(leavesDataFolder(c.typed), c.refused) << c.typed;
    }
}

TEST(PatientStore, ListsRecordsOfAnyCaseAndNothingElse)
{
    TempFolder folder;
    for (const char* name : {"b.RTF", "a.rtf", "c.Rtf", "notes.txt", "a.rtf.bak", "x.rtf.erased-1", ".a.rtf.saving"})
        putText(folder.path(name), "x");
    fs::create_directory(folder.path("dossier.rtf"));
    EXPECT_EQ(PatientStore(folder.path("")).list(), (std::vector<std::string> {"a.rtf", "b.RTF", "c.Rtf"}));
    EXPECT_TRUE(PatientStore(folder.path("missing")).list().empty());
}

TEST(PatientStore, SaveKeepsOneFilePerPatientWhateverTheCaseOfItsExtension)
{
    TempFolder folder;
    const PatientStore store(folder.path(""));
    ASSERT_TRUE(store.save("dupont.RTF", "first"));
    ASSERT_TRUE(store.save("dupont.rtf", "second"));
    EXPECT_EQ(store.list(), std::vector<std::string> {"dupont.RTF"});
    EXPECT_EQ(fileText(folder.path("dupont.RTF")), "second");
    EXPECT_EQ(fileText(folder.path("dupont.RTF.bak")), "first");
    EXPECT_EQ(store.find("DUPONT.rtf"), folder.path("dupont.RTF"));
    EXPECT_EQ(store.find("martin.RTF"), folder.path("martin.RTF"));
}

TEST(PatientStore, FailedSaveLeavesThePreviousRecord)
{
    TempFolder folder;
    const PatientStore store(folder.path(""));
    ASSERT_TRUE(store.save("dupont.RTF", "previous"));
    fs::create_directory(folder.path("lecture"));
    // A record that cannot be replaced (a folder of that name) fails cleanly.
    EXPECT_FALSE(PatientStore(folder.path("absent")).save("x.RTF", "text"));
    EXPECT_FALSE(store.save("lecture", "text"));
    EXPECT_EQ(fileText(folder.path("dupont.RTF")), "previous");
    EXPECT_EQ(folderEntries(folder.path("")), (std::vector<std::string> {"dupont.RTF", "lecture"}));
}

// A disk that fills up half-way through a save: the process may write only
// a few hundred bytes, as on a full disk. The previous record must stay
// whole and readable, and nothing half-written may appear in the list.
TEST(PatientStore, SaveInterruptedByAFullDiskKeepsThePreviousRecordReadable)
{
    TempFolder folder;
    const PatientStore store(folder.path(""));
    RtfDocument previous;
    previous.appendParagraph("Nom: Dupont");
    previous.appendParagraph("Anamnèse: dysphonie depuis trois mois");
    ASSERT_TRUE(store.save("dupont.RTF", writeRtf(previous)));

    RtfDocument longer = previous;
    for (int i = 0; i < 2000; ++i)
        longer.appendParagraph("Date : 10/12/2026 ligne " + std::to_string(i));
    const std::string text = writeRtf(longer);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {512, 512};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(store.save("dupont.rtf", text) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the save should have reported its failure";

    const RtfReadResult read = readRtfFile(folder.path("dupont.RTF"));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.document, readRtf(writeRtf(previous)).document);
    EXPECT_EQ(store.list(), std::vector<std::string> {"dupont.RTF"});
    EXPECT_EQ(folderEntries(folder.path("")), std::vector<std::string> {"dupont.RTF"});
}

TEST(PatientStore, ErasedRecordIsKeptApartFromLaterSaves)
{
    TempFolder folder;
    const PatientStore store(folder.path(""));
    ASSERT_TRUE(store.save("dupont.RTF", "record"));
    ASSERT_TRUE(store.erase("dupont.rtf"));
    EXPECT_TRUE(store.list().empty());
    ASSERT_TRUE(store.save("dupont.RTF", "new record"));
    ASSERT_TRUE(store.save("dupont.RTF", "newer record"));
    ASSERT_TRUE(store.erase("dupont.RTF"));

    std::vector<std::string> erased;
    for (const std::string& name : folderEntries(folder.path(""))) {
        if (name.rfind("dupont.RTF.erased-", 0) == 0)
            erased.push_back(fileText(folder.path(name)));
    }
    std::sort(erased.begin(), erased.end());
    EXPECT_EQ(erased, (std::vector<std::string> {"newer record", "record"}));
    EXPECT_FALSE(store.erase("dupont.RTF"));
    EXPECT_FALSE(store.erase("absent.RTF"));
}

} // namespace
} // namespace tiravel
