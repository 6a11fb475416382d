#pragma once

#include "elements/CConfigZeltor.h"
#include "elements/CResultZeltor.h"
#include "elements/CTestZeltor.h"

#include "TestRunFixture.h"

#include "Product.h"

#include <memory>

// A single-reading test element of one kind with its default configuration, run on the test-run
// fixture.
class ZeltorRunFixture : public TestRunFixture {
protected:
    // A new element of the test `testId`, as the plug-in makes it.
    void createElement(int32_t testId)
    {
        element = ZeltorTests::CTestZeltor::create();
        element->Initialize(Zeltor::kProduct, testId, testId);
        configuration()->LoadDefaultSettings();
    }

    std::shared_ptr<ZeltorTests::CConfigZeltor> configuration() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CConfigZeltor>(element->Configuration());
    }
    std::shared_ptr<ZeltorTests::CResultZeltor> result() const
    {
        return std::dynamic_pointer_cast<ZeltorTests::CResultZeltor>(element->Result());
    }

    void perform() { element->Perform(sequence); }

    std::shared_ptr<ZeltorTests::CTestZeltor> element;
};
