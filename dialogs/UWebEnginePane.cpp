#include "UWebEnginePane.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QVBoxLayout>

#include <unistd.h>

namespace {
using TCreateWebView = QWidget *(*)(QWidget *parent);
}

QStringList WebEngineModuleCandidates()
{
    QStringList candidates;
    if (qEnvironmentVariableIsSet("GULUSPELL_WEBENGINE_MODULE"))
        candidates << qEnvironmentVariable("GULUSPELL_WEBENGINE_MODULE");
    candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/libguluspell_webengine.so");
#ifdef GULUSPELL_WEBENGINE_MODULE_PATH
    candidates << QStringLiteral(GULUSPELL_WEBENGINE_MODULE_PATH);
#endif
    return candidates;
}

TWebEnginePane::TWebEnginePane(QWidget *parent) : TWebBrowserPane(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void TWebEnginePane::createView()
{
    // Started without PrepareWebBrowserPanes, WebEngine crashes the program:
    // the light pane is the safe answer.
    const bool engineCanStart = QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts);
    // As root Chromium refuses to start with its sandbox.
    if (engineCanStart && geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    for (const QString &file : engineCanStart ? WebEngineModuleCandidates() : QStringList()) {
        QLibrary module(file);
        // Kept loaded for the rest of the run: the view's code lives there.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto create = reinterpret_cast<TCreateWebView>(module.resolve("GuluSpellCreateWebView"));
        if (!create)
            continue;
        m_engineView = create(this);
        connect(m_engineView, SIGNAL(loadFinished(bool)), this, SLOT(engineLoadFinished(bool)));
        layout()->addWidget(m_engineView);
        return;
    }
    m_fallback = new TTextBrowserPane(this);
    connect(m_fallback, &TWebBrowserPane::PageShown, this, &TWebBrowserPane::PageShown);
    layout()->addWidget(m_fallback);
}

void TWebEnginePane::Navigate(const QUrl &url)
{
    rememberUrl(url);
    if (!m_engineView && !m_fallback)
        createView();
    if (m_engineView)
        m_engineView->setProperty("url", url);
    else
        m_fallback->Navigate(url);
}

void TWebEnginePane::engineLoadFinished(bool ok)
{
    if (ok)
        emit PageShown();
}

TWebBrowserPane *CreateWebBrowserPane(QWidget *parent)
{
#ifdef GULUSPELL_WITH_WEBENGINE
    if (!qEnvironmentVariableIsSet("GULUSPELL_TEXT_BROWSER"))
        return new TWebEnginePane(parent);
#endif
    return new TTextBrowserPane(parent);
}
