#pragma once

#include "PageBase.h"

#include "com/ClassRegistry.h"
#include "com/Error.h"

#include <QString>
#include <QStringList>

#include <memory>

// A page that records each ICustomControl call it receives ("Locked", "setLocked true", ...) and,
// while `failing` is set, fails every one of them after recording it. edit() reports a user's
// edit, fill() writes the page from code under the loading scope and reports an edit from there.
class RecordingPage final : public Zeltor::PageBase {
public:
    static constexpr const char* className = "ZeltorTests.XRecordingPage";

    // Makes the page creatable by its class name for as long as the registration lives.
    class Registration {
    public:
        Registration()
        {
            com::ClassRegistry::instance().add(
                {QString::fromLatin1(className), {}, [] { return std::make_shared<RecordingPage>(); }});
        }
        ~Registration() { com::ClassRegistry::instance().remove(QString::fromLatin1(className)); }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
    };

    std::shared_ptr<Nelvar::ICallBack> CallBack() const override
    {
        record(QStringLiteral("CallBack"));
        return PageBase::CallBack();
    }
    void setCallBack(const std::shared_ptr<Nelvar::ICallBack>& callBack) override
    {
        record(QStringLiteral("setCallBack"));
        PageBase::setCallBack(callBack);
    }
    bool Locked() const override
    {
        record(QStringLiteral("Locked"));
        return PageBase::Locked();
    }
    void setLocked(bool locked) override
    {
        record(QStringLiteral("setLocked %1").arg(locked ? QStringLiteral("true") : QStringLiteral("false")));
        PageBase::setLocked(locked);
    }
    void Initialize(const com::Value& inData) override
    {
        record(QStringLiteral("Initialize %1").arg(inData.toString()));
    }
    void Refresh() override
    {
        record(QStringLiteral("Refresh"));
        PageBase::Refresh();
    }
    void SetFocus() override
    {
        record(QStringLiteral("SetFocus"));
        PageBase::SetFocus();
    }

    void edit() { raiseChange(); }
    void fill()
    {
        const LoadingScope scope(*this);
        raiseChange();
    }
    bool loading() const { return isLoading(); }
    LoadingScope startLoading() { return LoadingScope(*this); }

    mutable QStringList calls;
    QList<bool> lockReactions;
    bool failing = false;

private:
    void lockChanged(bool locked) override { lockReactions.append(locked); }
    void record(const QString& call) const
    {
        calls.append(call);
        if (failing)
            throw com::Error(com::errInvalidCall, QStringLiteral("RecordingPage"), call);
    }
};
