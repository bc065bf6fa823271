#pragma once

#include <string>

class VSprite;

// One thing drifting through the sky: a sprite copy with a speed and two marks at which its
// animation changes. A plain object; the scene manager keeps it in its pool or its flight list.
class VFloater {
public:
    // `speedText` is one number or a range "low-high"; a first speed is drawn at once.
    VFloater(VSprite* sprite, float startX, float endX, std::string pre, std::string during,
             std::string post, const std::string& speedText, int weight);
    virtual ~VFloater() = default;

    virtual float GetXPos() const;
    virtual void SetXPos(float x);
    virtual float GetYPos() const;
    virtual void SetYPos(float y);
    virtual float GetZPos() const;
    virtual void SetZPos(float z);
    virtual float GetWidth() const;
    virtual float GetHeight() const;
    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible);
    virtual float GetLeft() const;
    virtual float GetTop() const;
    virtual void SetPos(float x, float y, float z);
    virtual void SetXY(float x, float y);
    virtual void MoveBy(float dx, float dy, float dz);

    // Runs the sequence that belongs to the floater's X, unless it already runs.
    void UpdateSequence();
    // A new speed from the floater's range.
    void DrawSpeed();

    VSprite* GetSprite() const { return sprite_; }
    int GetWeight() const { return weight_; }
    float GetStartX() const { return startX_; }
    float GetEndX() const { return endX_; }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float speed) { speed_ = speed; }
    float GetMinSpeed() const { return minSpeed_; }
    float GetMaxSpeed() const { return maxSpeed_; }
    const std::string& GetPre() const { return pre_; }
    const std::string& GetDuring() const { return during_; }
    const std::string& GetPost() const { return post_; }

private:
    VSprite* sprite_;
    int weight_;
    float startX_;
    float endX_;
    float speed_ = 0;
    float minSpeed_ = 0;
    float maxSpeed_ = 0;
    std::string pre_;
    std::string during_;
    std::string post_;
};
