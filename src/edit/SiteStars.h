#pragma once

class frmMain;

// Raising and lowering the selected site's star rank.
class SiteStars {
public:
    explicit SiteStars(frmMain& form) : f(form) {}
    void AddStar();
    void DeleteStar();

private:
    frmMain& f;
};
