// The ends of the number ranges of the Active Status window: the feed request time-out taken from
// the settings, and the interval a person types.
#include <gtest/gtest.h>

#include <fstream>

#include "app/Quillon.h"
#include "standin/GoogleTalk.h"
#include "status/frmReader.h"
#include "support/TestPlatform.h"
#include "vbscript/VbScriptHostFactory.h"

namespace quillon::status {
namespace {

using Answer = sim::SimDialogs::Answer;

// A feed site that records the time-out of every request.
class TimedFeed : public testing::NoNetwork {
 public:
  platform::HttpResult HttpGet(std::string_view, uint32_t timeout_ms) override {
    timeouts.push_back(timeout_ms);
    return {true, 200, "<rss><item><title>Hi</title></item></rss>", ""};
  }
  std::vector<uint32_t> timeouts;
};

class StatusNumberEdgesTest : public ::testing::Test {
 protected:
  StatusNumberEdgesTest() {
    client_.SetContacts({"Alex"});
    client_.Start("Working");
    program_ = std::make_unique<app::Quillon>(platform_, p_.loop_, p_.Info());
    program_->Main();
    p_.loop_.ProcessPending();
    reader_ = &program_->ActiveStatusWindow();
    reader_->Load();
    std::filesystem::path folder = std::filesystem::path(p_.Info().folder) / "Plugins";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "news.qn", std::ios::binary)
        << "*Top*\r\n{\r\nRSS\r\nhttp://site/feed\r\ntitle\r\n}\r\n";
  }
  void Set(const std::string& name, const std::string& value) {
    program_->Config().WriteSetting(name, value);
  }

  testing::TestPlatform p_;
  TimedFeed network_;
  vbscript::VbScriptHostFactory factory_{p_.clock_};
  platform::Platform platform_{p_.desktop_,       p_.shell_, p_.hotkeys_, *p_.registry_,
                               p_.accessibility_, network_,  p_.dialogs_, p_.clock_,
                               p_.instances_,     &factory_, &p_.files_};
  standin::GoogleTalk client_{p_.desktop_, p_.shell_, "me"};
  std::unique_ptr<app::Quillon> program_;
  frmReader* reader_ = nullptr;
};

// The stored time-out is taken from 1 ms to one minute; anything else, and what is no number,
// falls back to the default of ten seconds.
TEST_F(StatusNumberEdgesTest, RequestTimeOutIsTakenFromOneMillisecondToOneMinute) {
  struct Case {
    const char* stored;
    uint32_t used;
  } cases[] = {
      {"0", 10000},     {"1", 1},           {"-1", 10000},      {"60000", 60000},
      {"60001", 10000}, {"59999.6", 60000}, {"60000.5", 60000}, {"60000.6", 10000},
      {"0.4", 10000},   {"x", 10000},
  };
  for (const Case& c : cases) {
    Set("RequestTimeout", c.stored);
    network_.timeouts.clear();
    EXPECT_EQ(reader_->Loader().ParseStatus("{news:Top}"), " Hi") << c.stored;
    EXPECT_EQ(network_.timeouts, std::vector<uint32_t>{c.used}) << c.stored;
  }
}

// The typed interval is a 16-bit number after rounding half to even: 1 to 32767 is stored, the
// numbers either side of that range change nothing.
TEST_F(StatusNumberEdgesTest, TypedIntervalIsTakenFromOneTo32767AfterRounding) {
  struct Case {
    const char* typed;
    const char* stored;  // StatusInterval afterwards; it starts as "30000"
  } cases[] = {
      {"0", "30000"},  {"1", "1"},           {"32767", "32767"},   {"32768", "30000"},
      {"-1", "30000"}, {"0.5", "30000"},     {"0.6", "1"},         {"1.5", "2"},
      {"2.5", "2"},    {"32767.4", "32767"}, {"32767.5", "30000"},
  };
  for (const Case& c : cases) {
    Set("StatusInterval", "30000");
    p_.dialogs_.QueueAnswer(Answer{Answer::Kind::kText, c.typed});
    reader_->Command2.PersonClick();
    EXPECT_EQ(program_->Config().ReadSetting("StatusInterval", ""), c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace quillon::status
