// The controls table: two keys and two pad buttons an action, a key or a
// button held by one action only, and the settings file's words for them.
#include "platform/Bindings.h"

#include <gtest/gtest.h>

#include "platform/Settings.h"

namespace {

using kv::Action;

TEST(Bindings, AKeyInUseIsRefusedNamingItsOwnerAndMovesWithinItsAction)
{
    kv::Bindings b;
    EXPECT_EQ(b.Owner(kv::vk::Space), Action::Fire);
    EXPECT_EQ(b.Bind(Action::Thrust, 1, kv::vk::Space), Action::Fire) << "refused: Fire holds Space";
    EXPECT_EQ(b.Key(Action::Thrust, 1), 0);
    EXPECT_FALSE(b.Bind(Action::Thrust, 1, 'W').has_value());
    EXPECT_EQ(b.Text(Action::Thrust), "Up, W");
    EXPECT_FALSE(b.Bind(Action::Thrust, 0, 'W').has_value()) << "its own key moves to the other slot";
    EXPECT_EQ(b.Text(Action::Thrust), "W");
    b.Unbind(Action::Thrust, 0);
    EXPECT_EQ(b.Text(Action::Thrust), "none");
    kv::KeyState held;
    held.Set('W', true);
    EXPECT_FALSE(b.Held(Action::Thrust, held, kv::PadState{}));
    EXPECT_FALSE(b.Owner(0).has_value()) << "an empty slot belongs to nobody";
}

TEST(Bindings, NamesReadBackAndJunkChangesNothing)
{
    for (const uint16_t key : {kv::vk::Space, kv::vk::Left, kv::vk::F1, kv::vk::Grave, uint16_t{'Q'}, uint16_t{'7'},
                               uint16_t{190}})
        EXPECT_EQ(kv::KeyByName(kv::KeyName(key)), key) << kv::KeyName(key);
    EXPECT_EQ(kv::KeyByName("space"), kv::vk::Space);
    EXPECT_EQ(kv::KeyByName("f12"), kv::vk::F1 + 11);
    for (const char* junk : {"", "F13", "256", "#256", "#", "Spacebar", "-1", "190"}) EXPECT_EQ(kv::KeyByName(junk), 0) << junk;
    // A name that once read as code 1 but was written back as the key "1".
    EXPECT_EQ(kv::KeyByName("01"), 0);
    EXPECT_EQ(kv::KeyByName(kv::KeyName(1)), 1);
    EXPECT_NE(kv::KeyByName(kv::KeyName(1)), kv::KeyByName("1"));
    kv::Bindings b;
    EXPECT_TRUE(b.Read(Action::Fire, " Ctrl ,  K "));
    EXPECT_EQ(b.Text(Action::Fire), "Ctrl, K");
    for (const char* junk : {"", "Ctrl, K, L", "K, K", "Ctrl,", "nothing"}) {
        EXPECT_FALSE(b.Read(Action::Fire, junk)) << junk;
        EXPECT_EQ(b.Text(Action::Fire), "Ctrl, K");
    }
    EXPECT_TRUE(b.Read(Action::Fire, "none"));
    EXPECT_EQ(b.Text(Action::Fire), "none");
}

TEST(Bindings, TheSettingsFileKeepsThemAndUntanglesAKeyBoundTwice)
{
    kv::Settings s;
    s.Controls.Bind(Action::Fire, 1, 'K');
    const kv::SettingsRead read = kv::ParseSettings(kv::SettingsText(s));
    EXPECT_TRUE(read.KeyProblems.empty());
    EXPECT_EQ(read.Values.Controls, s.Controls);
    std::string text = kv::SettingsText(kv::Settings{});
    text.replace(text.find("key.leave = Esc"), 15, "key.leave = Up");
    const kv::SettingsRead twice = kv::ParseSettings(text);
    ASSERT_EQ(twice.KeyProblems.size(), 1u);
    EXPECT_NE(twice.KeyProblems[0].find("leave loses Up to thrust"), std::string::npos) << twice.KeyProblems[0];
    EXPECT_EQ(twice.Values.Controls.Text(Action::Leave), "none");
    EXPECT_EQ(twice.Values.Controls.Text(Action::Thrust), "Up");
}

TEST(Bindings, PadButtonsAreAColumnOfTheirOwn)
{
    kv::Bindings b;
    EXPECT_EQ(b.PadText(Action::Fire), "A, RT");
    EXPECT_EQ(b.PadText(Action::TurnLeft), "DpadLeft, StickLeft");
    EXPECT_EQ(b.PadText(Action::Leave), "B");
    EXPECT_EQ(b.BindPad(Action::Leave, 1, kv::PadButton::A), Action::Fire) << "A is Fire's";
    EXPECT_FALSE(b.BindPad(Action::Leave, 1, kv::PadButton::Y).has_value());
    EXPECT_EQ(b.PadText(Action::Leave), "B, Y");

    kv::PadState pads;
    kv::KeyState keys;
    EXPECT_FALSE(b.Held(Action::Leave, keys, pads));
    pads.Apply(kv::PadButtonEvent{kv::PadButton::Y, true});
    EXPECT_TRUE(b.Held(Action::Leave, keys, pads));
    EXPECT_FALSE(b.Held(Action::Fire, keys, pads));
    pads.Apply(kv::PadDeviceEvent{false, "pad"});
    EXPECT_FALSE(b.Held(Action::Leave, keys, pads)) << "a pad pulled out lets go of its buttons";

    for (std::size_t n = 1; n <= static_cast<std::size_t>(kv::PadButton::Joy1) + kv::RawButtons - 1; ++n) {
        const auto button = static_cast<kv::PadButton>(n);
        EXPECT_EQ(kv::PadButtonByName(kv::PadButtonName(button)), button) << kv::PadButtonName(button);
    }
    EXPECT_EQ(kv::PadButtonByName("rt"), kv::PadButton::RightTrigger);
    EXPECT_EQ(kv::PadButtonByName("joy16"), kv::RawButton(16));
    for (const char* junk : {"", "Joy0", "Joy17", "Joy01", "Joy", "none", "Space"})
        EXPECT_EQ(kv::PadButtonByName(junk), kv::PadButton::None) << junk;
    EXPECT_TRUE(b.ReadPad(Action::Fire, "Joy3 , LB"));
    EXPECT_EQ(b.PadText(Action::Fire), "Joy3, LB");
    EXPECT_FALSE(b.ReadPad(Action::Fire, "A, B, X"));
    EXPECT_FALSE(b.ReadPad(Action::Fire, "Space"));
    EXPECT_EQ(b.PadText(Action::Fire), "Joy3, LB");
}

TEST(Bindings, APadButtonBoundTwiceInTheFileIsUntangled)
{
    std::string text = kv::SettingsText(kv::Settings{});
    text.replace(text.find("pad.leave = B"), 13, "pad.leave = A");
    const kv::SettingsRead read = kv::ParseSettings(text);
    ASSERT_EQ(read.KeyProblems.size(), 1u);
    EXPECT_NE(read.KeyProblems[0].find("leave loses A to fire"), std::string::npos) << read.KeyProblems[0];
    EXPECT_EQ(read.Values.Controls.PadText(Action::Leave), "none");
}

}  // namespace
