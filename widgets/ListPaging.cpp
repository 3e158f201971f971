#include "ListPaging.h"

#include "PageWidget2.h"

#include <QLineEdit>
#include <QSignalBlocker>

void ListPaging::show(PageWidget2 *bar, int pageCount, int shownPage)
{
    bar->setMaxPage(qMax(1, pageCount));
    if (shownPage < 1 || shownPage > bar->maxPage() || shownPage == bar->currentPage())
        return;
    const QSignalBlocker quiet(bar);
    bar->changePageNum(shownPage);
    // The input stands for the page the user is on.
    if (auto *input = bar->findChild<QLineEdit *>(QStringLiteral("pageLineEdit")); input && !input->text().isEmpty())
        input->setText(QString::number(shownPage));
}
