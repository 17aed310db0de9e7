#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

TEST(ErrorTrap, TitleTextsAndTheFileAnomalyPurge) {
    struct Case { int number; std::string first; bool purge; };
    std::vector<Case> cases{
        {54, "ファイルに異常があります。               "_sj, true},
        {55, "古いタイプのインターネット・エクスプローラーです。               "_sj, false},
        {75, "ネットワークが切断されました。               "_sj, false},
        {1001, "ネットワークが切断されました。               "_sj, false},
    };
    for (const auto& c : cases) {
        test::Harness h;
        ASSERT_TRUE(h.start());
        h.write("SYSTEM_F\\F_D_F\\a.dxd", "x");
        h.write("SYSTEM_F\\F_D_F\\b.txt", "x");
        pf::forms().load("FORM5");
        EXPECT_TRUE(h.run_trapped([&] { raise_error(c.number); }));
        ASSERT_EQ(h.boxes().shown().size(), 1u);
        const auto& box = h.boxes().shown()[0];
        EXPECT_EQ(box.title, "ERROR !  ( ER.No.："_sj + std::to_string(c.number) + " ) ･･････ タルベノールメーラー Ver.2.12"_sj);
        EXPECT_EQ(box.text.substr(0, c.first.size() + 4), c.first + "\r\n\r\n");
        EXPECT_EQ(box.icon, pf::MsgIcon::Exclamation);
        EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
        EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").empty(), c.purge) << c.number;
    }
}

}  // namespace
}  // namespace tv::shell
