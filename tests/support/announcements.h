#pragma once

#include <QString>

class QWidget;

// What screen readers were last told through the window's announcements,
// or "" when nothing since forgetAnnouncements().
QString lastAnnouncement(QWidget *window);

// Starts afresh: a page keeps one place for the news of all its windows.
void forgetAnnouncements();
