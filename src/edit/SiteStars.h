#pragma once

#include <QString>

class Form;

// Raising and lowering the selected site's star rank. Each change is one unit of work; the list is then
// rebuilt from the store and the site selected again.
class SiteStars {
public:
    explicit SiteStars(Form& form) : f(form) {}
    void AddStar();
    void DeleteStar();

private:
    // step is +1 or -1; a rank never goes below 0.
    void changeRank(int step);
    void reselect(qint32 siteCode);

    Form& f;
};
