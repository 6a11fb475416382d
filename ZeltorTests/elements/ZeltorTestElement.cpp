#include "elements/ZeltorTestElement.h"

#include "elements/CZeltorLimitData.h"
#include "IZeltorConfiguration.h"
#include "elements/ResultRecord.h"

#include "data/CParameterDef.h"
#include "data/CParameterList.h"

#include "RecordNames.h"
#include "Standards.h"
#include "Xml.h"

#include "com/ClassRegistry.h"
#include "com/Failure.h"
#include "com/Required.h"

namespace ZeltorTests {

ZeltorTestElement::ZeltorTestElement()
    : m_base(com::ClassRegistry::instance().createAs<Nelvar::ITestElementBase>(
          QString::fromLatin1(Nelvar::kTestElementBaseProgId)))
{
}

Nelvar::ITestElementBase& ZeltorTestElement::elementBase() const { return com::required(m_base); }


std::shared_ptr<CZeltorLimitData> ZeltorTestElement::limitData() const
{
    return std::dynamic_pointer_cast<CZeltorLimitData>(elementBase().Limits());
}

QString ZeltorTestElement::PlugInID() const { return elementBase().PlugInID(); }
int32_t ZeltorTestElement::TestID() const { return elementBase().TestID(); }
int32_t ZeltorTestElement::ID() const { return elementBase().ID(); }
void ZeltorTestElement::setID(int32_t id) { elementBase().setID(id); }
std::shared_ptr<com::Object> ZeltorTestElement::Parent() const { return elementBase().Parent(); }
void ZeltorTestElement::setParent(const std::shared_ptr<com::Object>& parent) { elementBase().setParent(parent); }
std::shared_ptr<Nelvar::ITestInfo> ZeltorTestElement::Info() const { return elementBase().Info(); }
std::shared_ptr<Nelvar::ITestFilter> ZeltorTestElement::Filter() const { return elementBase().Filter(); }
std::shared_ptr<Nelvar::IResultData> ZeltorTestElement::Result() const { return elementBase().Result(); }
std::shared_ptr<Nelvar::ILimitData> ZeltorTestElement::Limits() const { return elementBase().Limits(); }
std::shared_ptr<Nelvar::IConfigData> ZeltorTestElement::Configuration() const { return elementBase().Configuration(); }

void ZeltorTestElement::Perform(const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    const auto self = shared_from_this();
    m_session.perform(self, *this, elementBase(), sequence, [this] { PrepareResult(false); });
}

void ZeltorTestElement::Load(const std::shared_ptr<Nelvar::IXmlElement>& element,
                             const std::shared_ptr<com::Object>& owner)
{
    if (com::required(element).TagName() == Zeltor::RecordNames::kResultItem)
        PrepareResult(true);
    elementBase().Load(element, owner);
    com::required(limitData()).ApplyConversions(configurationAs<IZeltorConfiguration>());
}

std::shared_ptr<Nelvar::IXmlElement> ZeltorTestElement::Save(const std::shared_ptr<Nelvar::IXmlDocument>& document,
                                                            int32_t flag)
{
    return elementBase().Save(document, flag);
}

void ZeltorTestElement::PrintReport(const std::shared_ptr<Nelvar::IReport>& report,
                                    const std::shared_ptr<Nelvar::ITestSequence>& sequence)
{
    elementBase().PrintReport(report, sequence);
}

void ZeltorTestElement::QuerySetParent(const std::shared_ptr<com::Object>&, bool& answer) { answer = true; }

void ZeltorTestElement::Terminate() { elementBase().Terminate(); }

void ZeltorTestElement::UpdateReferences()
{
    com::ignoreFailure([&] {
        if (const auto limits = elementBase().Limits())
            com::required(limits->Standards()).UpdateReferences(shared_from_this());
    });
}

void ZeltorTestElement::Initialize(const QString& plugInID, int32_t testID, int32_t id)
{
    com::ignoreFailure([&] { elementBase().Initialize(plugInID, testID, id); });
    identified();
}

std::shared_ptr<Nelvar::ITestElement> ZeltorTestElement::Clone()
{
    try {
        const auto copy = newElement();
        com::required(copy).CopyFrom(*this);
        return copy;
    } catch (...) {
        return cloneFailed();
    }
}

void ZeltorTestElement::CopyFrom(const ZeltorTestElement& source)
{
    elementBase().Terminate();
    m_base = source.elementBase().Clone();
    bindToBase();
}

com::Value ZeltorTestElement::GetMeasurementList()
{
    com::Value list = com::Value::make2D(0, 2);
    com::ignoreFailure([&] {
        const auto configuration = configurationAs<IZeltorConfiguration>();
        const CParameterList& parameters = com::required(com::required(configuration).Parameters());
        list = com::Value::make2D(parameters.Count(true), 2);
        int32_t row = 0;
        for (const auto& definition : parameters) {
            if (!listsParameter(*definition))
                continue;
            com::ignoreFailure([&] { list.at2D(row, 0) = definition->Key(); });
            com::ignoreFailure([&] { list.at2D(row, 1) = definition->Caption(true); });
            ++row;
        }
    });
    return list;
}

void ZeltorTestElement::AbortTest()
{
    StopTestRun();
    m_session.abort();
}

void ZeltorTestElement::NA()
{
    std::shared_ptr<ResultRecord> result;
    com::ignoreFailure([&] { result = std::dynamic_pointer_cast<ResultRecord>(elementBase().Result()); });
    m_session.notApplicable(result.get());
}

void ZeltorTestElement::NextTest() { m_session.next(); }

void ZeltorTestElement::Previous() { m_session.previous(); }

void ZeltorTestElement::Skip() { m_session.skip(); }

} // namespace ZeltorTests
