// the text of x written in base 2 to 36, or in tally marks for base 1:
// tobase(255,16) is ff
function tobase(x,base){
  if(base>36)throw Error(qsTranslate("tobase","convert (x, base): numeric base must be <= 36"));
  if(base<1)throw Error(qsTranslate("tobase","convert (x, base): numeric base must be > 0"));
  if(Math.floor(base)!==base)
    throw Error(qsTranslate("tobase","convert (x, base): numeric base must be a whole number"));
  if(base===1){
    if(Math.floor(x)!==x||x<0||x>4096)
      throw Error(qsTranslate("tobase","convert (x, base): base 1 takes whole numbers from 0 to 4096"));
    return new Array(x+1).join("1");
  }
  return Number(x).toString(base);
}
