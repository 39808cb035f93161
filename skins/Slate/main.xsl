<?xml version="1.0" encoding="UTF-8"?>
<!-- Slate's main page: the fan list in the framed panel of back.bmp. The
     frame document carries no data; the fan plug-in's values arrive in the
     elements whose id is section+item+field on every update tick. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>

  <!-- Four rows of 47 pixels from y 42: one per fan output of the chip. -->
  <xsl:template name="fan">
    <xsl:param name="n"/>
    <xsl:variable name="id" select="concat('FAN+ZEFAN_FAN_', $n, '+')"/>
    <DIV ID="row_{$n}" CLASS="fan idle" STYLE="top:{42 + 47 * $n}px;">
      <DIV ID="{$id}CAPTION" CLASS="cap">&#8212;</DIV>
      <DIV ID="{$id}PWM_DUTYCYCLE" CLASS="duty">&#8212;</DIV>
      <DIV CLASS="track"><DIV ID="bar_{$n}" CLASS="fill"></DIV></DIV>
      <DIV CLASS="detail">target <SPAN ID="{$id}TARGET_TEMP">&#8212;</SPAN> &#176;C &#183; stop <SPAN ID="{$id}STOP_PWM">&#8212;</SPAN></DIV>
    </DIV>
  </xsl:template>

  <xsl:template match="/">
    <STYLE>
      body { margin: 0; font-family: "DejaVu Sans", sans-serif; color: #1e2630; cursor: default; }
      .fan { position: absolute; left: 10px; width: 220px; height: 47px; }
      .fan.idle { opacity: 0.4; }
      .fan > * { position: absolute; }
      .cap { left: 10px; top: 6px; width: 140px; font-size: 11px; font-weight: bold; white-space: nowrap;
             overflow: hidden; text-overflow: ellipsis; }
      .duty { right: 10px; top: 3px; font-size: 15px; font-weight: bold; color: #cc5c14; }
      .track { left: 10px; top: 24px; width: 200px; height: 5px; border-radius: 3px; background: #dfe4ea;
               overflow: hidden; }
      .fill { width: 0; height: 5px; border-radius: 3px; background: #ee7d2e; transition: width 0.4s; }
      .detail { left: 10px; top: 31px; font-size: 9px; color: #667180; }
      .alarm { color: #d23b40 !important; }
      #modeMark { position: absolute; width: 51px; height: 2px; border-radius: 1px; background: #ee7d2e;
                  display: none; }
      #status { position: absolute; left: 12px; top: 306px; width: 216px; font-size: 10px; color: #667180;
                white-space: nowrap; }
      #status b { color: #1e2630; }
      /* The power profile the system runs, from the mode plug-in. */
      .profile:not(:empty)::before { content: " \00B7  "; }
      #autoLed { display: inline-block; width: 7px; height: 7px; border-radius: 4px; margin: 0 4px 0 8px;
                 background: #c3cbd4; }
      #autoLed.on { background: #ee7d2e; }
      #warnBadge { position: absolute; right: 12px; top: 11px; height: 15px; line-height: 15px; padding: 0 6px;
                   border-radius: 8px; background: #e5484d; color: #fff; font-size: 9px; font-weight: bold;
                   display: none; }
    </STYLE>
    <DIV ID="MOVEAREA" STYLE="position:absolute;left:0;top:0;width:240px;height:36px;"></DIV>
    <DIV ID="warnBadge">WARNING</DIV>
    <DIV ID="modeMark"></DIV>
    <DIV ID="status">Mode <B ID="modeName">&#8212;</B><SPAN ID="MODE+VARNOCCTRL+PROFILE" CLASS="profile"></SPAN><SPAN ID="autoLed"></SPAN>Auto <SPAN ID="autoText">off</SPAN></DIV>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="0"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="1"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="2"/></xsl:call-template>
    <xsl:call-template name="fan"><xsl:with-param name="n" select="3"/></xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
