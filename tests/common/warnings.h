#pragma once

#include <QRegularExpression>
#include <QTest>

// For a test whose warnings are not fatal: each Qt warning that the running test function
// has not declared with QTest::ignoreMessage fails it. Call from init().
inline void FailOnUndeclaredWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}
