#pragma once

#include "elements/CConfigVentilator.h"
#include "elements/CPreDefinedTrendSettings.h"
#include "elements/CResultVentilator.h"
#include "elements/CTestVentilator.h"

#include "TestRunFixture.h"

#include <memory>

// A ventilator test element with its default configuration, run on the test-run fixture.
class VentilatorRunFixture : public TestRunFixture {
protected:
    void SetUp() override
    {
        TestRunFixture::SetUp();
        element = ZeltorTests::CTestVentilator::create();
        configuration()->LoadDefaultSettings();
    }

    std::shared_ptr<ZeltorTests::CConfigVentilator> configuration() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CConfigVentilator>(element->Configuration());
    }
    std::shared_ptr<ZeltorTests::CResultVentilator> result() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CResultVentilator>(element->Result());
    }

    void perform() { element->Perform(sequence); }

    std::shared_ptr<ZeltorTests::CTestVentilator> element;
};
