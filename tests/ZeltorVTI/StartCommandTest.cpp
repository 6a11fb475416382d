#include "HostFixture.h"

#include "MComUtils.h"
#include "StartCommand.h"

using namespace ZeltorVTI;

class StartCommandTest : public HostFixture {};

// Each field lands at its place in the frame, in its text form.
TEST_F(StartCommandTest, FieldsBecomeTheFramesParametersInOrder)
{
    const struct {
        StartCommand command;
        QByteArray frame;
    } cases[] = {
        {{100, 0, 0, true, 500, 9000, 1, 30}, "$STST,100,0,BTPS,1,500,9000,1,30\r"},
        {{300, 0, 1, true, 9999, 9000, 1, 10}, "$STST,300,0,ATPX,1,9999,9000,1,10\r"},
        {{100, 0, 2, false, 500, 10, 32, 0}, "$STST,100,0,STPD,0,500,10,32,0\r"},
        {{100, 0, 3, false, 500, 10, 2, 50}, "$STST,100,0,ATPS,0,500,10,2,50\r"},
        {{100, 0, 4, false, 500, 10, 4, 50}, "$STST,100,0,ATPD,0,500,10,4,50\r"},
        {{100, 7, 5, false, 500, 10, 8, 50}, "$STST,100,7,NTPD,0,500,10,8,50\r"},
        // A reference condition the instrument does not know goes as an empty field.
        {{100, 0, 6, false, 500, 10, 16, 50}, "$STST,100,0,,0,500,10,16,50\r"},
        {{100, 0, -1, false, -5, -10, 0, -50}, "$STST,100,0,,0,-5,-10,0,-50\r"},
        {{}, "$STST,0,0,BTPS,0,0,0,0,0\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame.toStdString());
        const com::Value parameters = EncodeStartCommand(c.command);
        ASSERT_EQ(parameters.array().items.size(), 8u);
        EXPECT_EQ(MComUtils::BuildMessage(QStringLiteral("STST"), parameters), c.frame);
    }
}
