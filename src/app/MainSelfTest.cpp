// The testing page: the test selection and results, and the digital inputs
// check. Its self-test object receives WM_TEST_FINISHED.
#include "MainUnit.h"

#include "config/TerminalParams.h"
#include "link/Link.h"
#include "selftest/MessageBoxOperator.h"
#include "selftest/SelfTest.h"
#include "selftest/TestPage.h"

#include <QVBoxLayout>

void TfrmMain::CreateTestPage()
{
    m_operator = std::make_unique<MessageBoxOperator>(this);
    testPage = new TestPage(m_link, *m_operator, m_params->InputsState, TS4);
    testPage->setObjectName(QStringLiteral("testPage"));
    auto *layout = new QVBoxLayout(TS4);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(testPage);
    m_link.HandleTestFrame = [this] { testPage->selfTest().HandleTestFrame(); };
}
