#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/ConfApp.h"
#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "comm/AppSettings.h"
#include "diagram/DrawingClasses.h"
#include "lang/LanguagePack.h"
#include "model/ParamDictionary.h"
#include "platform/ResourceModule.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"
#include "support/BoxAnswerer.h"
#include "support/TestPaths.h"
#include "vexilla/LogMsg.h"

namespace {

const char* const kEnglishOutOfRange = "Value is out of range.";

// An application over settings in a file of the test's own, reading its
// splash picture and language packs from an empty folder unless told otherwise.
class ConfAppTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        ASSERT_TRUE(m_folder.isValid());
        m_settingsPath = m_folder.filePath("settings.ini").toStdString();
        auto settings = std::make_unique<CAppSettings>(m_settingsPath);
        m_settings = settings.get();
        m_app = std::make_unique<CConfApp>(std::move(settings));
        m_app->SetResourceFolder(m_folder.path().toStdString());
        m_app->SetSystemLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        m_app->SetMachineSettingsPath(m_folder.filePath("machine.ini"));
    }
    void TearDown() override {
        m_app->ExitInstance();  // back to the English resources
        m_app.reset();
    }
    int StoredLanguage() {
        m_settings->Sync();
        return CAppSettings(m_settingsPath).GetLanguage();
    }

    QTemporaryDir m_folder;
    std::string m_settingsPath;
    CAppSettings* m_settings = nullptr;
    std::unique_ptr<CConfApp> m_app;
};

TEST(ConfAppLanguageRule, FollowsThePrimaryLanguageOfTheLocale) {
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("zh_CN")), CConfApp::LANG_CHINESE);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("zh_TW")), CConfApp::LANG_CHINESE);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("es_MX")), CConfApp::LANG_SPANISH);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("pt_PT")), CConfApp::LANG_PORTUGUESE);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("pt_BR")), CConfApp::LANG_PORTUGUESE);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale("de_DE")), CConfApp::LANG_ENGLISH);
    EXPECT_EQ(CConfApp::LanguageFromLocale(QLocale::c()), CConfApp::LANG_ENGLISH);

    const auto menu = CConfApp::MenuLanguages();
    ASSERT_EQ(menu.size(), 3u);  // Spanish only through the settings or the locale
    EXPECT_EQ(menu[0], std::make_pair(1, QString("&English")));
    EXPECT_EQ(menu[1], std::make_pair(2, QString::fromUtf8("&Portugu\u00eas (Portuguese)")));
    EXPECT_EQ(menu[2].first, 4);
    EXPECT_TRUE(menu[2].second.endsWith(" (Chinese)"));
}

TEST_F(ConfAppTest, UnsetLanguageComesFromTheLocaleAndMissingPackLeavesEnglish) {
    m_app->SetSystemLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    m_app->SetLanguage(0, nullptr);
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_SPANISH);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_SPANISH);
    // No l.spa/LangSPAN.rcc in the folder: the English texts stay.
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), kEnglishOutOfRange);
    EXPECT_EQ(CParamDictionary::Get().GetBlockTypeName(0), "Analog Input");
    EXPECT_EQ(m_app->GetHelpFile(), m_app->GetResourceFolder() + "help/index.html");
}

TEST_F(ConfAppTest, SpanishLocaleLoadsTheSpanishPackWithQtsOwnTexts) {
    m_app->SetResourceFolder(testpaths::ProgramDir());
    m_app->SetSystemLocale(QLocale(QLocale::Spanish, QLocale::Mexico));
    m_app->SetLanguage(0, nullptr);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_SPANISH);
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), "Valor fuera de rango.");
    EXPECT_EQ(CParamDictionary::Get().GetBlockTypeName(1), "Salida de Corriente");
    EXPECT_EQ(QCoreApplication::translate("CMainFrame", "&Help"), "Ay&uda");
    // The standard dialogs' buttons come from Qt's own Spanish texts.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
    EXPECT_EQ(m_app->GetHelpFile(), testpaths::ProgramDir() + "/help/index.html");  // l.bra only

    m_app->SetLanguage(CConfApp::LANG_ENGLISH, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

TEST_F(ConfAppTest, StoredLanguageWinsOverTheLocale) {
    m_settings->SetLanguage(CConfApp::LANG_CHINESE);
    m_app->SetSystemLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_app->SetLanguage(0, nullptr);
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_CHINESE);
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), kEnglishOutOfRange);
    m_app->SetLanguage(9, nullptr);  // no such language
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_ENGLISH);
}

TEST_F(ConfAppTest, MachineWideLanguageComesBeforeTheUsersAndIsStoredForTheUser) {
    m_settings->SetLanguage(CConfApp::LANG_CHINESE);
    {
        std::ofstream machine(m_folder.filePath("machine.ini").toStdString());
        machine << "Language=3\n";
    }
    m_app->SetLanguage(0, nullptr);
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_SPANISH);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_SPANISH);
}

TEST_F(ConfAppTest, TheCurrentLanguageAgainChangesNothing) {
    CMainFrame frame(*m_settings);
    m_app->SetLanguage(CConfApp::LANG_ENGLISH, nullptr);
    const QList<QAction*> menus = frame.menuBar()->actions();

    m_settings->SetLanguage(CConfApp::LANG_CHINESE);  // changed behind the program's back
    m_app->SetLanguage(CConfApp::LANG_ENGLISH, &frame);
    EXPECT_EQ(frame.menuBar()->actions(), menus);         // menus not rebuilt
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_CHINESE);  // nothing stored

    m_app->SetLanguage(CConfApp::LANG_PORTUGUESE, &frame);
    EXPECT_NE(frame.menuBar()->actions(), menus);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_PORTUGUESE);
}

TEST_F(ConfAppTest, PortuguesePackTranslatesAndEnglishComesBack) {
    m_app->SetResourceFolder(testpaths::ProgramDir());
    m_app->SetLanguage(CConfApp::LANG_PORTUGUESE, nullptr);
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), "Valor fora da faixa.");
    // The pack is UTF-8; the program's texts are single-byte.
    EXPECT_EQ(LoadResString(IDS_DOWNLOAD_SUCCESS), "Configura\xe7\xe3o transferida com sucesso.");
    EXPECT_EQ(AfxFormatString(IDS_BYTES_FREE, {"92"}), "92 bytes livres");
    EXPECT_EQ(CParamDictionary::Get().GetBlockTypeName(0), "Entrada Anal\xf3gica");
    // The pack's parameter lines keep the English count.
    EXPECT_GT(CParamDictionary::Get().GetRowCount(0), 100u);
    EXPECT_EQ(m_app->GetHelpFile(), testpaths::ProgramDir() + "/l.bra/help/index.html");

    m_app->SetLanguage(CConfApp::LANG_ENGLISH, nullptr);
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), kEnglishOutOfRange);
    EXPECT_EQ(CParamDictionary::Get().GetBlockTypeName(0), "Analog Input");

    const QString pack = QString::fromStdString(testpaths::ProgramDir()) + "/" +
                         CConfApp::LanguagePackPath(CConfApp::LANG_PORTUGUESE);
    EXPECT_TRUE(CLanguagePack::IsRegistered(pack));
    m_app->SetLanguage(CConfApp::LANG_PORTUGUESE, nullptr);  // the registered pack again
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), "Valor fora da faixa.");
}

TEST_F(ConfAppTest, DamagedPackLeavesEnglishButKeepsTheChoice) {
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("l.chn"));
    {
        std::ofstream damaged(m_folder.filePath("l.chn/LangCHS.rcc").toStdString(),
                              std::ios::binary);
        damaged << "qres\0\0\0\3garbage";
    }
    m_app->SetLanguage(CConfApp::LANG_CHINESE, nullptr);
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_CHINESE);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_CHINESE);
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), kEnglishOutOfRange);
    EXPECT_EQ(CParamDictionary::Get().GetBlockTypeName(0), "Analog Input");
    EXPECT_EQ(CResourceModule::Current().GetEncoding(), CResourceModule::Encoding::Latin1);
}

// Opens a menu of the menu bar and clicks one of its entries, as a user does.
void ClickMenuEntry(QMenuBar* bar, const QString& menuText, const QString& entryText) {
    QAction* menuAction = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->text() == menuText) {
            menuAction = action;
        }
    }
    ASSERT_NE(menuAction, nullptr) << menuText.toStdString();
    const QPoint at = bar->actionGeometry(menuAction).center();
    QTest::mouseMove(bar, at);
    QTest::mouseClick(bar, Qt::LeftButton, {}, at);
    QMenu* menu = menuAction->menu();
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QAction* entry = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == entryText) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr) << entryText.toStdString();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
}

TEST_F(ConfAppTest, TheLanguageMenuRebuildsMenusAndBarsInTheChosenLanguage) {
    m_app->SetResourceFolder(testpaths::ProgramDir());
    m_app->SetLanguage(CConfApp::LANG_ENGLISH, nullptr);
    CMainFrame frame(*m_settings);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QString chinese = CConfApp::MenuLanguages()[2].second;

    ClickMenuEntry(frame.menuBar(), "&Language", chinese);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return frame.menuBar()->actions().value(0) &&
               frame.menuBar()->actions()[0]->text() == QString::fromUtf8("\u6587\u4ef6(&F)");
    }));
    EXPECT_EQ(m_app->GetLanguage(), CConfApp::LANG_CHINESE);
    EXPECT_EQ(StoredLanguage(), CConfApp::LANG_CHINESE);
    EXPECT_EQ(gdi::ToQString(LoadResString(IDS_VALUE_OUT_OF_RANGE)),
              QString::fromUtf8("\u6570\u503c\u8d85\u51fa\u8303\u56f4\u3002"));
    EXPECT_EQ(gdi::ToQString(CParamDictionary::Get().GetBlockTypeName(0)),
              QString::fromUtf8("\u6a21\u62df\u8f93\u5165"));
    const QToolBar* bar = frame.findChild<QToolBar*>("mainToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->actions().value(0)->text(), QString::fromUtf8("\u65b0\u5efa"));  // New
    EXPECT_EQ(frame.findChild<QToolBar*>("drawingToolBox")->windowTitle(),
              QString::fromUtf8("\u7ed8\u56fe"));
    EXPECT_EQ(frame.FindAction("helpBlockLibrary")->text(),
              QString::fromUtf8("\u529f\u80fd\u5757\u5e93(&B)"));
    // The language menu names every language in its own script, in any language.
    ClickMenuEntry(frame.menuBar(), QString::fromUtf8("\u8bed\u8a00(&L)"), "&English");
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame.menuBar()->actions()[0]->text() == "&File"; }));
    EXPECT_EQ(LoadResString(IDS_VALUE_OUT_OF_RANGE), kEnglishOutOfRange);
    EXPECT_EQ(bar->actions().value(0)->text(), "New");
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The help beside the program, English and Portuguese: the block library has
// a page per type, APID's listing its parameters in the language.
TEST_F(ConfAppTest, HelpFilesOfTheLanguageExistWithABlockLibraryPagePerType) {
    m_app->SetResourceFolder(testpaths::ProgramDir());
    const struct {
        int language;
        const char* description;
    } cases[] = {{CConfApp::LANG_ENGLISH, "Anti-reset windup low limit"},
                 {CConfApp::LANG_PORTUGUESE, "Limite inferior do anti-reset windup"}};
    for (const auto& c : cases) {
        m_app->SetLanguage(c.language, nullptr);
        EXPECT_TRUE(std::filesystem::is_regular_file(m_app->GetHelpFile())) << m_app->GetHelpFile();
        const std::string library = ReadText(m_app->GetBlockLibraryHelpFile());
        EXPECT_NE(library.find("blocks/F37.html"), std::string::npos);
        const std::filesystem::path folder =
            std::filesystem::path(m_app->GetBlockLibraryHelpFile()).parent_path();
        const std::string apid = ReadText((folder / "blocks/F09.html").string());
        EXPECT_NE(apid.find("PCARL</code></td><td>-2.00 - 50.00</td><td><code>0.</code></td><td>" +
                            std::string(c.description)),
                  std::string::npos)
            << apid.substr(0, 400);
    }
}

// Reads the log file written while the object lives.
class ScopedLog {
public:
    explicit ScopedLog(const QString& path) : m_path(path.toStdString()) {
        CLogMsg::SetLogName(m_path.c_str());
    }
    ~ScopedLog() { CLogMsg::CloseLogFile(); }
    std::string Text() const {
        std::ifstream file(m_path);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

private:
    std::string m_path;
};

TEST_F(ConfAppTest, WithoutItsPictureThereIsNoSplash) {
    ScopedLog log(m_folder.filePath("kestrel.log"));
    EXPECT_FALSE(m_app->ShowSplash(CSplashWnd::kDisplayTime));
    EXPECT_EQ(m_app->GetSplash(), nullptr);
    const std::string text = log.Text();
    EXPECT_NE(text.find("CConfApp::InitInstance()"), std::string::npos);
    EXPECT_NE(text.find("Failed to create Splash Thread"), std::string::npos);
}

TEST_F(ConfAppTest, SplashShowsThePictureWithTheDescription) {
    QImage picture(376, 280, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(m_folder.filePath(CSplashWnd::kPictureName), "BMP"));

    setenv("KESTREL_NO_SPLASH", "1", 1);
    EXPECT_FALSE(m_app->ShowSplash(60000));
    unsetenv("KESTREL_NO_SPLASH");

    ASSERT_TRUE(m_app->ShowSplash(60000));
    CSplashWnd* splash = m_app->GetSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(376, 280));

    // The description in its colour, inside its rectangle only.
    const QImage shown = splash->grab().toImage();
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (QColor(shown.pixel(x, y)) == CSplashWnd::TextColor()) {
                ++(CSplashWnd::TextRect().contains(x, y) ? inside : outside);
            }
        }
    }
    EXPECT_GT(inside, 200);
    EXPECT_EQ(outside, 0);

    m_app->CloseSplashNow();  // start-up failed
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_app->GetSplash() == nullptr; }, 2000));
}

TEST_F(ConfAppTest, SplashClosesWhenItsTimeIsUpAndRaisesTheMainWindow) {
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(m_folder.filePath(CSplashWnd::kPictureName), "BMP"));
    QWidget mainWindow;
    mainWindow.show();
    ASSERT_TRUE(m_app->ShowSplash(50));
    m_app->GetSplash()->SetMainWindow(&mainWindow);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_app->GetSplash() == nullptr; }, 5000));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow, 2000));
}

TEST_F(ConfAppTest, SecondInstanceIsToldAndStopsBeforeAnyWindow) {
    // The lock lives in the runtime folder; this test's own keeps parallel runs apart.
    const QByteArray runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_folder.path().toLocal8Bit());
    setenv("KESTREL_NO_SPLASH", "1", 1);
    QLockFile firstInstance(m_folder.filePath(QString(CConfApp::kInstanceLock) + ".lock"));
    ASSERT_TRUE(firstInstance.tryLock(0));

    CBoxAnswerer answerer;
    EXPECT_FALSE(m_app->InitInstance(""));
    unsetenv("KESTREL_NO_SPLASH");
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0], "KESTREL Plus: The KESTREL Plus application already running.");
    EXPECT_EQ(m_app->GetMainFrame(), nullptr);

    firstInstance.unlock();
    CBoxAnswerer none;
    ASSERT_TRUE(m_app->InitInstance(""));
    EXPECT_TRUE(none.seen.empty());
    EXPECT_NE(m_app->GetMainFrame(), nullptr);
    if (runtimeFolder.isEmpty()) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        qputenv("XDG_RUNTIME_DIR", runtimeFolder);
    }
}

TEST(ConfApp, FirstStartWritesTheDefaults) {
    const std::string path = testing::TempDir() + "/kestrel-first-start.ini";
    std::filesystem::remove(path);
    auto settings = std::make_unique<CAppSettings>(path);
    CAppSettings* raw = settings.get();
    CConfApp app(std::move(settings));
    app.InitSettings();
    EXPECT_EQ(raw->GetWorkDir(), CConfApp::GetProgramFolder() + "Work");
    EXPECT_TRUE(std::filesystem::is_directory(raw->GetWorkDir()));
    CAppSettings reread(path);
    EXPECT_EQ(reread.LoadCommSettings().m_nBaudRate, 19200);
    std::filesystem::remove(path);
}

}  // namespace
