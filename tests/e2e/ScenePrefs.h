#pragma once
// Preferences of a scenario's home go through the project's own store in this process and are
// copied to or from the scenario's file. This process's own file goes again afterwards, so that
// a program run later with this process's home starts clean.
#include "analysis/records/CAppPrefs.h"
#include "foundation/records/LObject.h"
#include "platform/prefs/Preferences.h"
#include "shell/CPrefs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

inline void ForgetOwnPrefsFile()
{
    std::filesystem::remove(plat::Preferences::DomainPath(""));
    (void)plat::Preferences::Domain("").Synchronize();
}

inline void SavePrefsTo(CAppPrefs& prefs, const std::string& file)
{
    {
        CPrefs store(LStringRef(), CPrefs::kWrite);
        LObject::SaveToNode(store.Store(), prefs.Root());
        ASSERT_TRUE(store.Close());
    }
    std::filesystem::copy_file(plat::Preferences::DomainPath(""), file,
                               std::filesystem::copy_options::overwrite_existing);
    ForgetOwnPrefsFile();
}

inline void LoadPrefsFrom(CAppPrefs& prefs, const std::string& file)
{
    const std::string own = plat::Preferences::DomainPath("");
    std::filesystem::create_directories(std::filesystem::path(own).parent_path());
    std::filesystem::copy_file(file, own, std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(plat::Preferences::Domain("").Synchronize());
    {
        CPrefs store(LStringRef(), CPrefs::kRead);
        LObject::LoadFromNode(store.Store(), prefs.Root());
        (void)store.Close();
    }
    ForgetOwnPrefsFile();
}
